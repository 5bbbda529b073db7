#include "io/storico/DrawHistory.h"

namespace storico {

void DrawHistory::add(const WheelRow& row) {
    auto& slot = m_byDate[row.date][static_cast<std::size_t>(row.wheel)];
    if (!slot) {
        slot = Entry{row.numbers, row.place};
        ++m_wheelRows;
        return;
    }
    if (slot->numbers == row.numbers) {
        ++m_duplicateRows;
        return;
    }
    m_errors.push_back({row.place, "numeri diversi per " + wheelCode(row.wheel) + " del " +
                                       row.date.storicoText() + " (prima riga in " + slot->place.text() +
                                       ")"});
}

void DrawHistory::add(const std::vector<WheelRow>& rows) {
    for (const auto& row : rows)
        add(row);
}

std::vector<Draw> DrawHistory::draws() const {
    std::vector<Draw> result;
    result.reserve(m_byDate.size());
    for (const auto& [date, entries] : m_byDate) {
        Draw draw;
        draw.date = date;
        for (std::size_t wheel = 0; wheel < entries.size(); ++wheel)
            if (entries[wheel])
                draw.wheels[wheel] = entries[wheel]->numbers;
        result.push_back(draw);
    }
    return result;
}

} // namespace storico
