#pragma once

#include "core/WheelNames.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

// Thrown by a read outside the tables; the calling command handles it like any other failure.
class ArchiveRangeError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

constexpr int DrawCapacity = 10000; // DrawIndex 0..9999; slot 0 stays empty
constexpr int MaxDraws = DrawCapacity - 1;

// The whole history of draws held in memory for the run, with the model archive, the wheel codes,
// the diametral numbers and the archive path. One instance is shared by every window.
class DrawArchive {
public:
    DrawArchive();

    // Loading
    void reset(); // every number to 0, every date empty, no draws
    void storeDraw(std::int16_t drawIndex, const QString& date,
                   const std::array<std::array<std::int16_t, PositionCount>, WheelCount>& numbers);
    void storeNumber(std::int16_t drawIndex, int wheel, int position, std::int16_t number);
    void storeDate(std::int16_t drawIndex, const QString& date);
    void setDrawCount(std::int16_t count); // also computes the progressive numbers in month and year
    void buildModelArchive();              // from ModelStart and DrawCount
    void fillWheelCodesAndDiametral();

    // Reading
    std::int16_t drawCount() const { return m_drawCount; }
    std::int16_t number(int drawIndex, int wheel, int position) const;
    const QString& drawDate(int drawIndex) const;
    std::int16_t drawNoInMonth(int drawIndex) const;
    std::int16_t drawNoInYear(int drawIndex) const;
    std::int16_t modelStart() const { return m_modelStart; }
    void setModelStart(std::int16_t start) { m_modelStart = start; }
    std::int16_t modelCount() const { return m_modelCount; }
    std::int16_t modelDraw(int modelIndex) const; // DrawIndex at a ModelIndex (0..ModelCount)
    const QString& wheelCode(int wheel) const;    // 0..11 ("TU" at 11)
    std::int16_t diametral(int number) const;     // 0..90

    // The loaded archive is the bundled sample of invented draws (the file itself says so).
    bool isSampleArchive() const { return m_sampleArchive; }
    void setSampleArchive(bool sample) { m_sampleArchive = sample; }

    const QString& archivePath() const { return m_archivePath; }
    void setArchivePath(const QString& path) { m_archivePath = path; }

    // Raw row of the five numbers of a wheel in a draw, for the hot loops of the analysis: inline, as the
    // back-test reads it for every colpo of every case.
    const std::int16_t* wheelNumbers(int drawIndex, int wheel) const {
        if (drawIndex < 0 || drawIndex >= DrawCapacity || wheel < 0 || wheel >= WheelCount)
            slot(drawIndex, wheel, 1); // throws
        return &m_numbers[static_cast<std::size_t>(drawIndex) * SlotsPerDraw + wheel * SlotsPerWheel + 1];
    }

private:
    static constexpr int SlotsPerWheel = PositionCount + 1;
    static constexpr int SlotsPerDraw = WheelCount * SlotsPerWheel;

    static void checkDraw(int drawIndex);
    static std::size_t slot(int drawIndex, int wheel, int position);

    std::vector<std::int16_t> m_numbers; // [draw][wheel][position 0..5], position 0 unused
    std::vector<QString> m_dates;
    std::vector<std::int16_t> m_noInMonth;
    std::vector<std::int16_t> m_noInYear;
    std::vector<std::int16_t> m_modelArchive{0};
    std::int16_t m_drawCount = 0;
    std::int16_t m_modelStart = 0;
    std::int16_t m_modelCount = 0;
    std::array<QString, WheelCount + 1> m_wheelCodes;
    std::array<std::int16_t, 91> m_diametral{};
    QString m_archivePath;
    bool m_sampleArchive = false;
};
