#include "EqualAmboSearch.h"

#include "AmboGridLayout.h"
#include "CellValue.h"
#include "DrawArchive.h"

#include <QString>
#include <array>

namespace {
constexpr int CaseCap = 1000;
constexpr GridModel::Colour Red = 255;
constexpr GridModel::Colour Blue = 16711680;

// The number written with the digits of a followed by those of b (12, 45 -> 1245; 5, 23 -> 523).
std::int64_t joinDigits(int a, int b) {
    if (a >= 0 && b >= 0) {
        std::int64_t scale = 10;
        while (scale <= b)
            scale *= 10;
        return a * scale + b;
    }
    // Only a damaged archive holds negative numbers: join the texts and read the number they start with.
    return static_cast<std::int64_t>(GridModel::numericValue(QString::number(a) + QString::number(b)));
}

void writeNumbers(GridModel& Fg1, int row, int firstCol, const std::int16_t* numbers, int p1, int p2) {
    for (int p = 1; p <= PositionCount; ++p)
        Fg1.setText(row, firstCol + p - 1, QString::number(numbers[p - 1]));
    Fg1.setBackColour(row, firstCol + p1 - 1, AmboState::ColorePosizione);
    Fg1.setBackColour(row, firstCol + p2 - 1, AmboState::ColorePosizione);
}

void appendCase(GridModel& Fg1, const AmboState& state, const DrawArchive& archive, int d, int w1, int w2,
                int p1, int p2, const std::int16_t* first, const std::int16_t* second) {
    const Forecast f = computeForecast(first[p1 - 1], first[p2 - 1], second[p1 - 1], second[p2 - 1], archive);
    Fg1.addRow();
    const int r = Fg1.rows() - 1;
    const QString draw = QString::number(d);
    const QString& date = archive.drawDate(d);
    Fg1.setText(r, ColCaso, QString::number(state.CasiTrovati));
    Fg1.setText(r, ColEstrazione, draw);
    Fg1.setText(r, ColData, date);
    Fg1.setText(r, ColInizio, QString::number(d + 1));
    Fg1.setText(r, ColFine, QString::number(static_cast<std::int32_t>(d) + state.Colpi));
    Fg1.setText(r, ColRuota1, QString::number(w1));
    Fg1.setText(r, ColCodice1, archive.wheelCode(w1));
    Fg1.setText(r, ColEstrazione2, draw);
    Fg1.setText(r, ColData2, date);
    Fg1.setText(r, ColRuota2, QString::number(w2));
    Fg1.setText(r, ColCodice2, archive.wheelCode(w2));
    Fg1.setText(r, ColAmbata, QString::number(f.Ambata));
    Fg1.setText(r, ColA1, QString::number(f.A1));
    Fg1.setText(r, ColA2, QString::number(f.A2));
    Fg1.setText(r, ColA3, QString::number(f.A3));
    writeNumbers(Fg1, r, ColNumeri1, first, p1, p2);
    writeNumbers(Fg1, r, ColNumeri2, second, p1, p2);
}

bool consecutive(int p1, int p2) {
    return p2 == p1 + 1;
}
} // namespace

bool isEqualAmbo(int x1, int x2, int y1, int y2) {
    const int sx = (x1 + x2) % 90;
    const int sy = (y1 + y2) % 90;
    return sx == sy && sx != 0;
}

Forecast computeForecast(int x1, int x2, int y1, int y2, const DrawArchive& archive) {
    Forecast f;
    f.Ambata = static_cast<std::int16_t>(y2);
    std::int64_t a1 = (joinDigits(x1, x2) + joinDigits(y1, y2)) % 90;
    if (a1 == 0)
        a1 = 90;
    std::int64_t a2 = 90 - a1;
    if (a2 == 0)
        a2 = 1;
    f.A1 = static_cast<std::int16_t>(a1);
    f.A2 = static_cast<std::int16_t>(a2);
    // A2 lies in 1..89 for every real draw; a damaged archive can push it out of the diametral table.
    f.A3 = a2 >= 0 && a2 <= 90 ? archive.diametral(static_cast<int>(a2)) : std::int16_t{0};
    return f;
}

void searchEqualAmbi(AmboState& state, const DrawArchive& archive, GridModel& Fg1) {
    GridModel::Batch batch(Fg1);
    state.EstrazioneFermata = 0;
    // Slots outside the tables hold no numbers, so they could never give a case.
    const int first = std::min<int>(state.IndiceFine, DrawCapacity - 1);
    const int last = std::max<int>(state.EstrazioneMinima, 0);
    std::array<const std::int16_t*, WheelCount> wheels{};
    for (int d = first; d >= last; --d) {
        for (int w = 0; w < WheelCount; ++w)
            wheels[w] = archive.wheelNumbers(d, w);
        for (int w1 = 0; w1 <= 9; ++w1) {
            if (!state.RuoteSelezionate[w1])
                continue;
            const std::int16_t* xs = wheels[w1];
            for (int p1 = 1; p1 <= 4; ++p1) {
                for (int p2 = p1 + 1; p2 <= 5; ++p2) {
                    if (!state.PosizioniSelezionate[p1] || !state.PosizioniSelezionate[p2] || xs[p1 - 1] > 90)
                        continue;
                    const int x1 = xs[p1 - 1];
                    const int x2 = xs[p2 - 1];
                    for (int w2 = w1 + 1; w2 <= 10; ++w2) {
                        if (!state.RuoteSelezionate[w2] || !state.admitted(w1, w2))
                            continue;
                        const std::int16_t* ys = wheels[w2];
                        const int y1 = ys[p1 - 1];
                        const int y2 = ys[p2 - 1];
                        if (y1 > 90 || !isEqualAmbo(x1, x2, y1, y2))
                            continue;
                        // With "Adiacenti" a case on positions that are not next to each other is
                        // dropped at once, so the case numbers stay consecutive.
                        if (state.PosizioniAdiacenti && !consecutive(p1, p2))
                            continue;
                        ++state.CasiTrovati;
                        appendCase(Fg1, state, archive, d, w1, w2, p1, p2, xs, ys);
                    }
                }
            }
        }
        if (state.CasiTrovati >= state.LimiteCasi)
            break;
        if (state.CasiTrovati > CaseCap) {
            if (d > last)
                state.EstrazioneFermata = static_cast<std::int16_t>(d);
            break;
        }
    }
}

QString caseCapNotice(const AmboState& state) {
    if (state.EstrazioneFermata == 0)
        return {};
    return QStringLiteral("Ricerca fermata a %1 casi: estrazioni dalla %2 alla %3")
        .arg(CaseCap)
        .arg(state.EstrazioneFermata)
        .arg(state.IndiceFine);
}

void formatFoundCases(GridModel& Fg1) {
    const int last = Fg1.rows() - 1;
    if (last < 1)
        return;
    GridModel::Batch batch(Fg1);
    Fg1.setForeColour(1, ColAmbata, last, ColAmbata, Red);
    Fg1.setBold(1, ColAmbata, last, ColAmbata, true);
    Fg1.setForeColour(1, ColA1, last, ColA3, Blue);
    Fg1.setBold(1, ColA1, last, ColA3, true);
    Fg1.setForeColour(1, ColEsitoR1, last, ColEsitoR2, Red);
    Fg1.setBold(1, ColEsitoR1, last, Fg1.cols() - 1, true);
    Fg1.setForeColour(1, ColQuartina, last, ColQuartina, Blue);
    for (int r = 2; r <= last; ++r) {
        const double dep = cellValue(Fg1, r, ColEstrazione) - cellValue(Fg1, r - 1, ColEstrazione);
        Fg1.setText(r, ColDep, QString::number(static_cast<std::int64_t>(dep)));
    }
}
