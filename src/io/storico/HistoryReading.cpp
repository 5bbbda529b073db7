#include "io/storico/HistoryReading.h"

#include "io/storico/ArchiveMerge.h"
#include "io/storico/DrawArchiveFile.h"
#include "io/storico/DrawHistory.h"
#include "io/storico/StoricoParser.h"

#include <algorithm>

namespace storico {

HistoryReading readHistory(const std::vector<HistoryText>& texts) {
    HistoryReading reading;
    DrawHistory history;
    for (const auto& text : texts) {
        auto parsed = StoricoParser::parseText(text.text, text.name);
        // Conflicts are reported at the later row, so errors stay in reading order within a file.
        const auto keep = [&reading](const ImportError& error) {
            if (reading.errors.size() < StoricoParser::MaxKeptErrors)
                reading.errors.push_back(error);
        };
        std::size_t nextError = 0;
        for (const auto& row : parsed.rows) {
            while (nextError < parsed.errors.size() && parsed.errors[nextError].place.line < row.place.line)
                keep(parsed.errors[nextError++]);
            const auto before = history.errors().size();
            history.add(row);
            if (history.errors().size() > before) {
                keep(history.errors().back());
                ++reading.errorCount;
            }
        }
        for (; nextError < parsed.errors.size(); ++nextError)
            keep(parsed.errors[nextError]);
        reading.errorCount += parsed.errorCount;
    }
    reading.wheelRows = history.wheelRows();
    reading.duplicateRows = history.duplicateRows();
    if (reading.errors.empty()) {
        reading.datedDraws = history.draws();
        reading.draws = reading.datedDraws;
        reading.joins = joinSplitDates(reading.draws);
    }
    return reading;
}

std::vector<std::string> errorReportLines(const std::vector<ImportError>& errors, std::size_t total) {
    std::vector<std::string> lines;
    const std::size_t listed = std::min<std::size_t>(errors.size(), MaxListedErrors);
    for (std::size_t i = 0; i < listed; ++i)
        lines.push_back(errors[i].text());
    if (const std::size_t more = std::max(total, errors.size()) - listed; more == 1)
        lines.push_back("… e un'altra riga non valida");
    else if (more > 1)
        lines.push_back("… e altre " + std::to_string(more) + " righe non valide");
    return lines;
}

std::vector<std::string> historySummaryLines(const HistoryReading& reading) {
    std::vector<std::string> lines;
    const auto& draws = reading.draws;
    lines.push_back("Estrazioni: " + italianCount(static_cast<long long>(draws.size())) + " (" +
                    italianCount(reading.wheelRows) + " righe di ruota)");
    if (draws.empty())
        return lines;
    lines.push_back("Periodo: " + dateSpanText(draws.front().date, draws.back().date));
    std::string wheels;
    for (int wheel = 0; wheel < WheelCount; ++wheel)
        if (std::any_of(draws.begin(), draws.end(), [&](const Draw& draw) {
                return draw.wheels[static_cast<std::size_t>(wheel)].has_value();
            }))
            wheels += (wheels.empty() ? "" : " ") + wheelCode(wheel);
    lines.push_back("Ruote: " + wheels);
    lines.push_back("Ultima estrazione: " + draws.back().date.programText());
    lines.push_back("Date sfasate unite: " + std::to_string(reading.joins.size()));
    for (const auto& join : reading.joins)
        lines.push_back("  " + wheelCode(join.wheel) + " del " + join.lone.programText() +
                        " unita all'estrazione del " + join.draw.programText());
    if (reading.duplicateRows > 0)
        lines.push_back("Righe ripetute contate una volta: " + italianCount(reading.duplicateRows));
    if (draws.size() > static_cast<std::size_t>(ProgramDrawLimit))
        lines.push_back("Più di 9.999 estrazioni: Veltrano rifiuterà di caricare questo archivio");
    return lines;
}

} // namespace storico
