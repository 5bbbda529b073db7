#include "OutcomeVerification.h"

#include "AmboGridLayout.h"
#include "AmboState.h"
#include "CellValue.h"
#include "DrawArchive.h"
#include "Palette.h"

#include <array>
#include <cmath>
#include <limits>

namespace {
constexpr GridModel::Colour TernoYellow = 65535;
constexpr int QuartinaWheels = 10; // Bari..Venezia; Nazionale is never examined for the quartina

// A cell of a case row read as the 16-bit number it holds; anything else reads as -1, which matches no
// draw number and no wheel.
int cellNumber(const GridModel& Fg1, int row, int col) {
    const double v = cellValue(Fg1, row, col);
    if (!(v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max()))
        return -1;
    return static_cast<int>(v);
}

bool isWheel(int w) {
    return w >= 0 && w < WheelCount;
}

void appendText(GridModel& Fg1, int row, int col, const QString& separator, const QString& entry) {
    const QString old = Fg1.text(row, col);
    Fg1.setText(row, col, old.isEmpty() ? entry : old + separator + entry);
}

// Marks for the numbers 0..99 of the current quartina; a stored number outside that range is never marked.
class NumberMarks {
public:
    void clear() { m_marks.fill(false); }
    void mark(int n) {
        if (n >= 0 && n < static_cast<int>(m_marks.size()))
            m_marks[n] = true;
    }
    bool marked(int n) const { return n >= 0 && n < static_cast<int>(m_marks.size()) && m_marks[n]; }

private:
    std::array<bool, 100> m_marks{};
};

struct CaseRow {
    int row;
    int draw; // C
    int r1;
    int r2;
    int ambata;
    std::array<int, 3> others; // A1, A2, A3
};

class Verifier {
public:
    Verifier(GridModel& Fg1, std::int16_t colpi, const AmboControls& boxes, const DrawArchive& archive,
             const Palette& palette)
        : m_fg1(Fg1), m_colpi(colpi), m_boxes(boxes), m_archive(archive), m_palette(palette) {}

    VerificationTotals run() {
        const int last = m_fg1.rows() - 1;
        m_totals.casi = last;
        if (last < 1)
            return m_totals;
        // Starting from clean outcome columns makes a second run give the same grid as the first.
        for (int r = 1; r <= last; ++r)
            for (int c = ColColpo; c <= ColAmbiA1 + 2; ++c)
                m_fg1.setText(r, c, QString());
        m_fg1.setBackColour(1, ColQuartina, last, ColQuartina, AmboState::Bianco);
        m_fg1.setBackColour(1, ColCaso, last, ColCaso, AmboState::Bianco);

        for (int r = 1; r <= last; ++r)
            followCase(readCase(r));
        const int drawCount = m_archive.drawCount();
        for (int r = 1; r <= last; ++r) {
            const int c = cellNumber(m_fg1, r, ColEstrazione);
            if (m_fg1.backColour(r, ColCaso) != EsitoPositivo && drawCount - c < m_colpi) {
                m_fg1.setBackColour(r, ColCaso, m_palette.PaletteOrange);
                ++m_totals.inGioco;
            }
        }
        return m_totals;
    }

private:
    CaseRow readCase(int r) const {
        return {r,
                cellNumber(m_fg1, r, ColEstrazione),
                cellNumber(m_fg1, r, ColRuota1),
                cellNumber(m_fg1, r, ColRuota2),
                cellNumber(m_fg1, r, ColAmbata),
                {cellNumber(m_fg1, r, ColA1), cellNumber(m_fg1, r, ColA2), cellNumber(m_fg1, r, ColA3)}};
    }

    const std::int16_t* numbers(int draw, int wheel) const {
        return isWheel(wheel) ? m_archive.wheelNumbers(draw, wheel) : nullptr;
    }

    void followCase(const CaseRow& k) {
        const std::int32_t end = static_cast<std::int32_t>(k.draw) + m_colpi;
        for (std::int32_t d = k.draw + 1; d <= end; ++d) {
            if (d > m_archive.drawCount() || d < 0)
                continue;
            const QString colpo = QString::number(d - k.draw);
            bool outcome = false;
            if (m_boxes.Ch_1 == AmboControls::Checked)
                outcome |= checkAmbata(k, d, colpo);
            if (m_boxes.Ch_4 == AmboControls::Checked)
                outcome |= checkQuartina(k, d, colpo);
            if (m_boxes.Ch_2 == AmboControls::Checked)
                outcome |= checkTreAmbi(k, d, colpo);
            if (outcome) {
                m_fg1.setBackColour(k.row, ColCaso, EsitoPositivo);
                ++m_totals.positivi;
                return;
            }
        }
        ++m_totals.senzaEsito;
    }

    bool checkAmbata(const CaseRow& k, int d, const QString& colpo) {
        bool found = false;
        const std::array<std::pair<int, int>, 2> wheels{{{k.r1, ColEsitoR1}, {k.r2, ColEsitoR2}}};
        for (const auto& [wheel, col] : wheels) {
            const std::int16_t* ns = numbers(d, wheel);
            if (!ns)
                continue;
            for (int p = 0; p < PositionCount; ++p) {
                if (ns[p] != k.ambata)
                    continue;
                m_fg1.setText(k.row, ColColpo, colpo);
                m_fg1.setText(k.row, col, m_archive.wheelCode(wheel));
                ++m_totals.ambate;
                found = true;
            }
        }
        return found;
    }

    bool checkQuartina(const CaseRow& k, int d, const QString& colpo) {
        if (m_boxes.Ch_Tutte == AmboControls::Checked) {
            for (int w = 0; w < QuartinaWheels; ++w)
                m_wheelMarks[w] = true;
        } else {
            m_wheelMarks.fill(false);
            if (isWheel(k.r1))
                m_wheelMarks[k.r1] = true;
            if (isWheel(k.r2))
                m_wheelMarks[k.r2] = true;
        }
        m_numberMarks.clear();
        m_numberMarks.mark(k.ambata);
        for (int n : k.others)
            m_numberMarks.mark(n);

        bool found = false;
        for (int w = 0; w < QuartinaWheels; ++w) {
            if (!m_wheelMarks[w])
                continue;
            const std::int16_t* ns = m_archive.wheelNumbers(d, w);
            int hits = 0;
            QString collected;
            for (int p = 0; p < PositionCount; ++p) {
                if (!m_numberMarks.marked(ns[p]))
                    continue;
                ++hits;
                collected = collected.isEmpty() ? QString::number(ns[p])
                                                : collected + QLatin1Char(' ') + QString::number(ns[p]);
            }
            if (hits < 2)
                continue;
            m_fg1.setText(k.row, ColColpo, colpo);
            appendText(m_fg1, k.row, ColQuartina, QStringLiteral("/"),
                       m_archive.wheelCode(w) + QLatin1Char(' ') + collected);
            if (hits == 2) {
                ++m_totals.ambi;
            } else if (hits == 3) {
                ++m_totals.terni;
                m_fg1.setBackColour(k.row, ColQuartina, TernoYellow);
            } else if (hits == 4) {
                ++m_totals.quaterne;
                m_fg1.setBackColour(k.row, ColQuartina, m_palette.PaletteLightOrange);
            }
            found = true;
        }
        return found;
    }

    bool checkTreAmbi(const CaseRow& k, int d, const QString& colpo) {
        bool found = false;
        for (int i = 0; i < 3; ++i) {
            const int target = ColAmbiA1 + i;
            for (int wheel : {k.r1, k.r2}) {
                const std::int16_t* ns = numbers(d, wheel);
                if (!ns)
                    continue;
                int count = 0;
                for (int p = 0; p < PositionCount; ++p)
                    if (ns[p] == k.ambata || ns[p] == k.others[i])
                        ++count;
                if (count != 2)
                    continue;
                m_fg1.setText(k.row, ColColpo, colpo);
                appendText(m_fg1, k.row, target, QStringLiteral("-"), m_archive.wheelCode(wheel));
                ++m_totals.ambi;
                found = true;
            }
        }
        return found;
    }

    GridModel& m_fg1;
    std::int16_t m_colpi;
    const AmboControls& m_boxes;
    const DrawArchive& m_archive;
    const Palette& m_palette;
    VerificationTotals m_totals;
    std::array<bool, WheelCount> m_wheelMarks{};
    NumberMarks m_numberMarks;
};
} // namespace

void fillSummary(GridModel& FgS, const VerificationTotals& totals) {
    GridModel::Batch batch(FgS);
    for (int r = 1; r < FgS.rows(); ++r) {
        for (int c = 1; c < FgS.cols(); ++c) {
            FgS.setText(r, c, QString());
            FgS.setFloodPercent(r, c, GridModel::NoFlood);
        }
    }
    const std::array<std::int32_t, 8> values{totals.casi,    totals.positivi, totals.negativi(),
                                             totals.inGioco, totals.ambate,   totals.ambi,
                                             totals.terni,   totals.quaterne};
    for (int i = 0; i < 8; ++i)
        FgS.setText(i + 1, 1, QString::number(values[i]));
    if (totals.casi <= 0)
        return;
    for (int r = 2; r <= 7; ++r) {
        const std::int32_t hundredfold = values[r - 1] * 100;
        FgS.setFloodPercent(r, 1, static_cast<double>(hundredfold) / totals.casi);
    }
}

VerificationTotals verifyCaseCells(GridModel& Fg1, GridModel& FgS, std::int16_t Colpi,
                                   const AmboControls& boxes, const DrawArchive& archive,
                                   const Palette& palette) {
    GridModel::Batch batch(Fg1);
    const VerificationTotals totals = Verifier(Fg1, Colpi, boxes, archive, palette).run();
    fillSummary(FgS, totals);
    Fg1.setCurrentCol(ColEstrazione);
    Fg1.sortDescending(ColEstrazione);
    return totals;
}

VerificationTotals verifyCases(GridModel& Fg1, GridModel& FgS, std::int16_t Colpi, const AmboControls& boxes,
                               const DrawArchive& archive, const Palette& palette) {
    const VerificationTotals totals = verifyCaseCells(Fg1, FgS, Colpi, boxes, archive, palette);
    Fg1.autoSizeColumns();
    return totals;
}
