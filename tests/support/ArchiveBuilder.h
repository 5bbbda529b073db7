#pragma once

#include "core/DrawArchive.h"

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <random>
#include <stdexcept>

// Fills a DrawArchive by hand for tests: draws are appended one after the other (DrawIndex 1, 2, ...),
// each with the wheels it names; the other wheels of the draw stay empty (all 0). Dates run one day
// apart from a first date unless a draw names its own. finish() sets DrawCount and the model archive
// (from draw 1) and fills the wheel codes and the diametral table.
class ArchiveBuilder {
public:
    using Numbers = std::array<std::int16_t, PositionCount>;
    using Wheels = std::map<int, Numbers>; // Wheel 0..10 -> five numbers in order of extraction

    explicit ArchiveBuilder(DrawArchive& archive, QDate firstDate = QDate(2020, 1, 2))
        : m_archive(archive), m_nextDate(firstDate) {
        m_archive.reset();
        m_archive.fillWheelCodesAndDiametral();
    }

    // Appends one draw and returns its DrawIndex.
    std::int16_t draw(const Wheels& wheels, const QString& date = {}) {
        if (m_count >= MaxDraws)
            throw std::out_of_range("archive full");
        ++m_count;
        const QString text = date.isEmpty() ? m_nextDate.toString(QStringLiteral("dd/MM/yyyy")) : date;
        m_nextDate =
            (date.isEmpty() ? m_nextDate : QDate::fromString(date, QStringLiteral("dd/MM/yyyy"))).addDays(1);
        std::array<Numbers, WheelCount> all{};
        for (const auto& [wheel, numbers] : wheels)
            all.at(wheel) = numbers;
        m_archive.storeDraw(m_count, text, all);
        return m_count;
    }

    // Appends n draws with every wheel empty; returns the DrawIndex of the last one.
    std::int16_t emptyDraws(int n) {
        for (int i = 0; i < n; ++i)
            draw({});
        return m_count;
    }

    // Two cases whose forecasts come out, twenty draws in all (the window tests' common archive):
    // draw 1, Bari 12 45 against Cagliari 20 37 (positions 1-2, adjacent wheels): ambata 37, 42 48 3;
    //   draw 2 has 37 on Cagliari (ambata at colpo 1).
    // draw 3, Genova 1 8 against Torino 7 2 (positions 4-5, diametral wheels): ambata 2, 90 1 46;
    //   draw 5 has 2 90 on Bari and 1 46 2 on Roma (quartina ambo and terno at colpo 2).
    void twoKnownCases() {
        enum { BA = 0, CA = 1, GE = 3, RO = 7, TO = 8 };
        draw({{BA, Numbers{12, 45, 70, 71, 72}}, {CA, Numbers{20, 37, 3, 4, 5}}});
        draw({{CA, Numbers{37, 60, 61, 62, 63}}});
        draw({{GE, Numbers{50, 51, 52, 1, 8}}, {TO, Numbers{60, 63, 66, 7, 2}}});
        emptyDraws(1);
        draw({{BA, Numbers{2, 90, 11, 12, 13}}, {RO, Numbers{1, 46, 2, 14, 15}}});
        emptyDraws(15);
    }

    // Appends n draws in which every pair of the first `wheels` wheels (Bari, Cagliari, ...) gives one
    // equal ambo, on positions 1 and 2: wheels * (wheels - 1) / 2 cases a draw for a search of every
    // wheel type. Returns the DrawIndex of the last one.
    std::int16_t equalAmboDraws(int n, int wheels) {
        Wheels all;
        for (int w = 0; w < wheels; ++w)
            all[w] = Numbers{static_cast<std::int16_t>(10 + w), static_cast<std::int16_t>(50 - w), 0, 0, 0};
        for (int i = 0; i < n; ++i)
            draw(all);
        return m_count;
    }

    // Appends n draws of random numbers (five different numbers 1..90 per wheel), the same for a seed.
    std::int16_t randomDraws(int n, std::uint32_t seed) {
        std::mt19937 gen(seed);
        std::uniform_int_distribution<int> pick(1, 90);
        for (int i = 0; i < n; ++i) {
            Wheels wheels;
            for (int w = 0; w < WheelCount; ++w) {
                Numbers numbers{};
                for (int p = 0; p < PositionCount; ++p) {
                    bool repeated = true;
                    while (repeated) {
                        numbers[p] = static_cast<std::int16_t>(pick(gen));
                        repeated = false;
                        for (int q = 0; q < p; ++q)
                            repeated = repeated || numbers[q] == numbers[p];
                    }
                }
                wheels[w] = numbers;
            }
            draw(wheels);
        }
        return m_count;
    }

    std::int16_t count() const { return m_count; }

    void finish(std::int16_t modelStart = 1) {
        m_archive.setDrawCount(m_count);
        m_archive.setModelStart(modelStart);
        m_archive.buildModelArchive();
    }

private:
    DrawArchive& m_archive;
    QDate m_nextDate;
    std::int16_t m_count = 0;
};
