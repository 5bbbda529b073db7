#include "HistoryReading.h"

#include "DrawHistory.h"
#include "StoricoParser.h"

namespace storico {

HistoryReading readHistory(const std::vector<HistoryText>& texts) {
    HistoryReading reading;
    DrawHistory history;
    for (const auto& text : texts) {
        auto parsed = StoricoParser::parseText(text.text, text.name);
        // Conflicts are reported at the later row, so errors stay in reading order within a file.
        std::size_t nextError = 0;
        for (const auto& row : parsed.rows) {
            while (nextError < parsed.errors.size() && parsed.errors[nextError].place.line < row.place.line)
                reading.errors.push_back(parsed.errors[nextError++]);
            const auto before = history.errors().size();
            history.add(row);
            if (history.errors().size() > before)
                reading.errors.push_back(history.errors().back());
        }
        reading.errors.insert(reading.errors.end(), parsed.errors.begin() + static_cast<long>(nextError),
                              parsed.errors.end());
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

} // namespace storico
