#include "core/DelayWalker.h"

#include "core/DrawArchive.h"

#include <algorithm>
#include <stdexcept>
#include <string>

DelayWalker::DelayWalker(const DrawArchive& archive, Sorte sorte, int wheel, int first, int last)
    : m_archive(archive), m_sorte(sorte), m_wheel(wheel), m_next(std::max(first, 1)),
      m_last(std::min(last, static_cast<int>(archive.drawCount()))),
      m_lastStep(static_cast<std::size_t>(itemCount(sorte)), 0),
      m_lastDraw(static_cast<std::size_t>(itemCount(sorte)), 0),
      m_seenIn(static_cast<std::size_t>(itemCount(sorte)), 0) {
    if (wheel < 0 || wheel > TutteWheel)
        throw std::invalid_argument("wheel " + std::to_string(wheel) + " outside 0..11");
    m_exits.reserve(static_cast<std::size_t>(TutteWheels * 10));
}

bool DelayWalker::advance() {
    const bool tutte = m_wheel == TutteWheel;
    while (m_next <= m_last) {
        const int d = m_next++;
        m_exits.clear();
        int drawn = 0;
        const int from = tutte ? 0 : m_wheel;
        const int to = tutte ? TutteWheels : m_wheel + 1;
        for (int w = from; w < to; ++w) {
            const std::int16_t* numbers = m_archive.wheelNumbers(d, w);
            if (!std::any_of(numbers, numbers + PositionCount,
                             [](std::int16_t n) { return n >= 1 && n <= 90; }))
                continue;
            ++drawn;
            collectExits(numbers, tutte);
        }
        if (drawn == 0)
            continue;
        ++m_length;
        m_draw = d;
        m_drawnWheels = drawn;
        return true;
    }
    return false;
}

// A damaged cell may repeat a number or hold one outside 1..90: only its different valid numbers count.
// On one wheel those give different items; on Tutte an item out on two wheels is counted once.
void DelayWalker::collectExits(const std::int16_t* numbers, bool dedupe) {
    int valid[PositionCount];
    int count = 0;
    for (int p = 0; p < PositionCount; ++p) {
        const int n = numbers[p];
        if (n >= 1 && n <= 90 && std::find(valid, valid + count, n) == valid + count)
            valid[count++] = n;
    }
    const int stamp = m_next; // one past the draw being read: never 0
    auto add = [&](int item) {
        auto& seen = m_seenIn[static_cast<std::size_t>(item)];
        if (dedupe && seen == stamp)
            return;
        seen = stamp;
        m_exits.push_back(item);
    };
    if (m_sorte == Sorte::Estratto) {
        for (int i = 0; i < count; ++i)
            add(valid[i] - 1);
        return;
    }
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            add(amboItem(valid[i], valid[j]));
}

DelayWalker::Longest DelayWalker::longest() const {
    if (m_oldest < 0)
        m_oldest =
            static_cast<int>(std::min_element(m_lastStep.begin(), m_lastStep.end()) - m_lastStep.begin());
    return {delay(m_oldest), m_oldest};
}
