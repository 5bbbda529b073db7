#include "core/DrawArchive.h"

#include <QStringList>
#include <algorithm>
#include <string>

namespace {
const QString kEmpty;

int monthOf(const QString& date) {
    return date.section(QLatin1Char('/'), 1, 1).toInt();
}
int yearOf(const QString& date) {
    return date.section(QLatin1Char('/'), 2, 2).toInt();
}
} // namespace

DrawArchive::DrawArchive()
    : m_numbers(static_cast<std::size_t>(DrawCapacity) * SlotsPerDraw, 0), m_dates(DrawCapacity),
      m_noInMonth(DrawCapacity, 0), m_noInYear(DrawCapacity, 0) {}

void DrawArchive::checkDraw(int drawIndex) {
    if (drawIndex < 0 || drawIndex >= DrawCapacity)
        throw ArchiveRangeError("DrawIndex " + std::to_string(drawIndex) + " outside 0.." +
                                std::to_string(DrawCapacity - 1));
}

std::size_t DrawArchive::slot(int drawIndex, int wheel, int position) {
    checkDraw(drawIndex);
    if (wheel < 0 || wheel >= WheelCount)
        throw ArchiveRangeError("wheel " + std::to_string(wheel) + " outside 0..10");
    if (position < 1 || position > PositionCount)
        throw ArchiveRangeError("position " + std::to_string(position) + " outside 1..5");
    return static_cast<std::size_t>(drawIndex) * SlotsPerDraw + wheel * SlotsPerWheel + position;
}

void DrawArchive::reset() {
    // A load that starts over keeps nothing of an earlier, failed one.
    std::fill(m_numbers.begin(), m_numbers.end(), 0);
    std::fill(m_dates.begin(), m_dates.end(), QString());
    std::fill(m_noInMonth.begin(), m_noInMonth.end(), 0);
    std::fill(m_noInYear.begin(), m_noInYear.end(), 0);
    m_drawCount = 0;
    m_sampleArchive = false;
    m_modelArchive.assign(1, 0);
    m_modelCount = 0;
}

void DrawArchive::storeNumber(std::int16_t drawIndex, int wheel, int position, std::int16_t number) {
    m_numbers[slot(drawIndex, wheel, position)] = number;
}

void DrawArchive::storeDate(std::int16_t drawIndex, const QString& date) {
    checkDraw(drawIndex);
    m_dates[drawIndex] = date;
}

void DrawArchive::storeDraw(std::int16_t drawIndex, const QString& date,
                            const std::array<std::array<std::int16_t, PositionCount>, WheelCount>& numbers) {
    storeDate(drawIndex, date);
    for (int w = 0; w < WheelCount; ++w)
        for (int p = 1; p <= PositionCount; ++p)
            m_numbers[slot(drawIndex, w, p)] = numbers[w][p - 1];
}

void DrawArchive::setDrawCount(std::int16_t count) {
    if (count < 0 || count > MaxDraws)
        throw ArchiveRangeError("draw count " + std::to_string(count) + " outside 0.." +
                                std::to_string(MaxDraws));
    m_drawCount = count;
    if (count < 1)
        return;
    // Only the month number is compared, not month and year together, and the first draw counts
    // as 1 whatever its date.
    auto progressive = [&](std::vector<std::int16_t>& out, int (*part)(const QString&)) {
        int current = part(m_dates[1]);
        std::int16_t counter = 1;
        out[1] = 1;
        for (int d = 2; d <= count; ++d) {
            const int p = part(m_dates[d]);
            if (p != current) {
                current = p;
                counter = 1;
            } else {
                ++counter;
            }
            out[d] = counter;
        }
    };
    progressive(m_noInMonth, monthOf);
    progressive(m_noInYear, yearOf);
}

void DrawArchive::buildModelArchive() {
    // No DrawIndex lies below the empty slot 0, whatever the configured start.
    const int first = std::max<int>(m_modelStart, 0);
    const int count = std::max(m_drawCount - first + 1, 0);
    m_modelArchive.assign(static_cast<std::size_t>(count) + 1, 0);
    m_modelCount = 0;
    for (int d = first; d <= m_drawCount; ++d) {
        ++m_modelCount;
        m_modelArchive[m_modelCount] = static_cast<std::int16_t>(d);
    }
}

void DrawArchive::fillWheelCodesAndDiametral() {
    auto text = [](std::string_view code) {
        return QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size()));
    };
    for (int i = 0; i < WheelCount; ++i)
        m_wheelCodes[i] = text(WheelNames[i].code);
    m_wheelCodes[WheelCount] = text(AllWheelsCode);
    m_diametral[0] = 0;
    for (int n = 1; n <= 90; ++n)
        m_diametral[n] = static_cast<std::int16_t>(n <= 45 ? n + 45 : n - 45);
}

std::int16_t DrawArchive::number(int drawIndex, int wheel, int position) const {
    return m_numbers[slot(drawIndex, wheel, position)];
}

const QString& DrawArchive::drawDate(int drawIndex) const {
    checkDraw(drawIndex);
    return m_dates[drawIndex];
}

std::int16_t DrawArchive::drawNoInMonth(int drawIndex) const {
    checkDraw(drawIndex);
    return m_noInMonth[drawIndex];
}

std::int16_t DrawArchive::drawNoInYear(int drawIndex) const {
    checkDraw(drawIndex);
    return m_noInYear[drawIndex];
}

std::int16_t DrawArchive::modelDraw(int modelIndex) const {
    if (modelIndex < 0 || modelIndex > m_modelCount)
        throw ArchiveRangeError("ModelIndex " + std::to_string(modelIndex) + " outside 0.." +
                                std::to_string(m_modelCount));
    return m_modelArchive[modelIndex];
}

const QString& DrawArchive::wheelCode(int wheel) const {
    if (wheel < 0 || wheel > WheelCount)
        throw ArchiveRangeError("wheel code " + std::to_string(wheel) + " outside 0..11");
    return m_wheelCodes[wheel];
}

std::int16_t DrawArchive::diametral(int number) const {
    if (number < 0 || number > 90)
        throw ArchiveRangeError("number " + std::to_string(number) + " outside 0..90");
    return m_diametral[number];
}
