#pragma once

#include "io/storico/Draw.h"
#include "io/storico/ImportError.h"
#include "io/storico/WheelRow.h"

#include <map>
#include <vector>

namespace storico {

// Gathers wheel rows from any number of files, in any order, into draws keyed by date. A row equal to
// one already seen (same date, wheel and numbers) counts once; a row that gives the same date and wheel
// other numbers is an error reported at the later row.
class DrawHistory {
public:
    void add(const WheelRow& row);
    void add(const std::vector<WheelRow>& rows);

    const std::vector<ImportError>& errors() const { return m_errors; }
    int duplicateRows() const { return m_duplicateRows; }
    int wheelRows() const { return m_wheelRows; }
    std::size_t dateCount() const { return m_byDate.size(); }

    // In ascending date order.
    std::vector<Draw> draws() const;

private:
    struct Entry {
        WheelNumbers numbers{};
        SourcePlace place;
    };
    std::map<CalendarDate, std::array<std::optional<Entry>, WheelCount>> m_byDate;
    std::vector<ImportError> m_errors;
    int m_duplicateRows = 0;
    int m_wheelRows = 0;
};

} // namespace storico
