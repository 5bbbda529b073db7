// The reading of the operator's history: a text file or a zip (told apart by their first bytes, as the
// program does), the lines parsed, the split-date rule, the merge into a small archive and the reports
// a person reads. Bad input must end in rejected lines or a StoricoError, never in a crash or a hang.

#include "FuzzFile.h"
#include "io/storico/ArchiveMerge.h"
#include "io/storico/HistoryInput.h"
#include "io/storico/HistoryReading.h"
#include "io/storico/StoricoError.h"

#include <cstdint>

namespace {

std::vector<storico::Draw> smallArchive() {
    std::vector<storico::Draw> draws;
    for (int i = 0; i < 3; ++i) {
        storico::Draw draw;
        draw.date = storico::CalendarDate{2021, 1, 2 + 3 * i};
        draw.wheels[0] = storico::WheelNumbers{1 + i, 20, 30, 40, 50};
        draws.push_back(draw);
    }
    return draws;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzFile file("storico");
    static const std::vector<storico::Draw> archive = smallArchive();
    const std::string& path = file.write(data, size);
    try {
        const storico::HistoryReading reading = storico::readHistory(storico::readHistoryInputs({path}));
        (void)storico::errorReportLines(reading.errors, reading.errorCount);
        if (reading.errors.empty() && !reading.draws.empty()) {
            (void)storico::historySummaryLines(reading);
            const storico::ArchiveMerge merge = storico::mergeHistory(archive, reading.datedDraws);
            (void)storico::mergeReportLines(merge);
        }
    } catch (const storico::StoricoError&) {
    }
    return 0;
}
