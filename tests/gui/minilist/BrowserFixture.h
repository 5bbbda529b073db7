#pragma once

#include "QtPrinting.h"
#include "core/DrawArchive.h"

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <ostream>

// Readable texts in test failure messages.

// A small archive of hand-picked draws for the mini list and the date and index dialogs:
//   1        30/12/2021
//   2..20    01/01/2022 .. 19/01/2022   (19 draws)
//   21..39   01/02/2022 .. 19/02/2022   (19 draws)
//   40       03/03/2022
//   41       05/03/2022
//   42       08/03/2022                 (third draw of March, 41st of 2022)
// Wheel w, position p of draw d holds (d * 7 + w * 13 + p * 29) % 90 + 1, except draw 42, whose
// Genova (wheel 3) reads 12 7 90 45 1, and draw 40, which has no Nazionale numbers (all 0).
struct BrowserArchive {
    static constexpr std::int16_t LastDraw = 42;
    static constexpr int Genova = 3;
    static constexpr int Nazionale = 10;

    explicit BrowserArchive(std::int16_t modelStart = 1) {
        archive.fillWheelCodesAndDiametral();
        archive.reset();
        std::int16_t d = 0;
        add(++d, QDate(2021, 12, 30));
        for (int day = 1; day <= 19; ++day)
            add(++d, QDate(2022, 1, day));
        for (int day = 1; day <= 19; ++day)
            add(++d, QDate(2022, 2, day));
        add(++d, QDate(2022, 3, 3));
        add(++d, QDate(2022, 3, 5));
        add(++d, QDate(2022, 3, 8));
        for (int p = 1; p <= PositionCount; ++p)
            archive.storeNumber(40, Nazionale, p, 0);
        const std::array<std::int16_t, 5> genova{12, 7, 90, 45, 1};
        for (int p = 1; p <= PositionCount; ++p)
            archive.storeNumber(42, Genova, p, genova[p - 1]);
        archive.setDrawCount(d);
        archive.setModelStart(modelStart);
        archive.buildModelArchive();
    }

    static std::int16_t numberOf(int d, int w, int p) {
        return static_cast<std::int16_t>((d * 7 + w * 13 + p * 29) % 90 + 1);
    }

    void add(std::int16_t d, const QDate& date) {
        std::array<std::array<std::int16_t, PositionCount>, WheelCount> numbers{};
        for (int w = 0; w < WheelCount; ++w)
            for (int p = 1; p <= PositionCount; ++p)
                numbers[w][p - 1] = numberOf(d, w, p);
        const QString text = date.toString(QStringLiteral("dd/MM/yyyy"));
        archive.storeDraw(d, text, numbers);
        indexOfDate[text] = d;
    }

    DrawArchive archive;
    std::map<QString, std::int16_t> indexOfDate;
};
