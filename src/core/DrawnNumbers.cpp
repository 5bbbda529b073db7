#include "core/DrawnNumbers.h"

#include "core/DrawArchive.h"

#include <algorithm>

DrawnNumbers::DrawnNumbers(const DrawArchive& archive)
    : m_drawCount(archive.drawCount()),
      m_numbers((static_cast<std::size_t>(std::max(m_drawCount, 0)) + 1) * WheelCount),
      m_drawn(static_cast<std::size_t>(std::max(m_drawCount, 0)) + 1, 0), m_exact(m_drawn.size(), true) {
    for (int d = 1; d <= m_drawCount; ++d) {
        const auto i = static_cast<std::size_t>(d);
        for (int w = 0; w < WheelCount; ++w) {
            const std::int16_t* ns = archive.wheelNumbers(d, w);
            NumberSet& set = m_numbers[i * WheelCount + static_cast<std::size_t>(w)];
            for (int p = 0; p < PositionCount; ++p) {
                if (set.holds(ns[p]))
                    m_exact[i] = false;
                set.add(ns[p]);
            }
        }
        m_drawn[i] = drawnWheels(archive, d);
    }
}
