#include "gui/ambo/OutcomeVerification.h"

#include "core/CaseTable.h"
#include "core/CaseVerification.h"
#include "core/DrawArchive.h"
#include "gui/ambo/AmboGridLayout.h"
#include "gui/ambo/AmboState.h"
#include "gui/ambo/CellValue.h"
#include "gui/kit/Palette.h"

#include <array>
#include <cmath>
#include <limits>

namespace {
constexpr GridModel::Colour TernoYellow = 65535;

// A cell of a case row read as the 16-bit number it holds; anything else reads as -1, which matches no
// draw number and no wheel.
int cellNumber(const GridModel& Fg1, int row, int col) {
    const double v = cellValue(Fg1, row, col);
    if (!(v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max()))
        return -1;
    return static_cast<int>(v);
}

// The case as its row shows it: only the cells the verification reads.
EqualAmboCase readCase(const GridModel& Fg1, int r) {
    EqualAmboCase c;
    c.draw = cellNumber(Fg1, r, ColEstrazione);
    c.wheel1 = cellNumber(Fg1, r, ColRuota1);
    c.wheel2 = cellNumber(Fg1, r, ColRuota2);
    c.forecast.Ambata = static_cast<std::int16_t>(cellNumber(Fg1, r, ColAmbata));
    c.forecast.A1 = static_cast<std::int16_t>(cellNumber(Fg1, r, ColA1));
    c.forecast.A2 = static_cast<std::int16_t>(cellNumber(Fg1, r, ColA2));
    c.forecast.A3 = static_cast<std::int16_t>(cellNumber(Fg1, r, ColA3));
    return c;
}

OutcomeBoxes outcomeBoxes(const AmboControls& boxes) {
    return {boxes.Ch_1 == AmboControls::Checked, boxes.Ch_2 == AmboControls::Checked,
            boxes.Ch_4 == AmboControls::Checked, boxes.Ch_Tutte == AmboControls::Checked};
}

// Writes what hit at the first positive colpo, with the quartina's colour for a terno or a quaterna.
void writeOutcome(GridModel& Fg1, int r, const EqualAmboCase& c, const CaseOutcome& o,
                  const DrawArchive& archive, const Palette& palette) {
    if (!o.positive())
        return;
    caseTable::Row texts;
    caseTable::writeOutcome(texts, c, o, archive);
    for (int col = ColColpo; col <= ColAmbiA1 + 2; ++col)
        if (!texts[static_cast<std::size_t>(col)].isNull())
            Fg1.setText(r, col, texts[static_cast<std::size_t>(col)]);
    for (int q = 0; q < o.quartinaCount; ++q) {
        const int count = o.quartina[static_cast<std::size_t>(q)].count;
        if (count == 3)
            Fg1.setBackColour(r, ColQuartina, TernoYellow);
        else if (count == 4)
            Fg1.setBackColour(r, ColQuartina, palette.PaletteLightOrange);
    }
    Fg1.setBackColour(r, ColCaso, EsitoPositivo);
}

VerificationTotals verifyRows(GridModel& Fg1, std::int16_t Colpi, const AmboControls& controls,
                              const DrawArchive& archive, const Palette& palette) {
    VerificationTotals totals;
    const int last = Fg1.rows() - 1;
    if (last < 1) {
        totals.casi = last;
        return totals;
    }
    // Starting from clean outcome columns makes a second run give the same grid as the first.
    for (int r = 1; r <= last; ++r)
        for (int c = ColColpo; c <= ColAmbiA1 + 2; ++c)
            Fg1.setText(r, c, QString());
    Fg1.setBackColour(1, ColQuartina, last, ColQuartina, AmboState::Bianco);
    Fg1.setBackColour(1, ColCaso, last, ColCaso, AmboState::Bianco);

    const OutcomeBoxes boxes = outcomeBoxes(controls);
    for (int r = 1; r <= last; ++r) {
        const EqualAmboCase c = readCase(Fg1, r);
        const CaseOutcome o = verifyCase(c, Colpi, boxes, archive);
        writeOutcome(Fg1, r, c, o, archive, palette);
        totals.add(o);
        if (o.esito == CaseOutcome::Esito::InGioco)
            Fg1.setBackColour(r, ColCaso, palette.PaletteOrange);
    }
    return totals;
}
} // namespace

void fillSummary(GridModel& FgS, const VerificationTotals& totals) {
    GridModel::Batch batch(FgS);
    for (int r = 1; r < FgS.rows(); ++r) {
        for (int c = 1; c < FgS.cols(); ++c) {
            FgS.setText(r, c, QString());
            FgS.setFloodPercent(r, c, GridModel::NoFlood);
        }
    }
    for (int line = 0; line < caseTable::SummaryLines; ++line) {
        FgS.setText(line + 1, 1, QString::number(caseTable::summaryCount(totals, line)));
        if (const auto share = caseTable::summaryShare(totals, line))
            FgS.setFloodPercent(line + 1, 1, *share);
    }
}

VerificationTotals verifyCaseCells(GridModel& Fg1, GridModel& FgS, std::int16_t Colpi,
                                   const AmboControls& boxes, const DrawArchive& archive,
                                   const Palette& palette) {
    GridModel::Batch batch(Fg1);
    const VerificationTotals totals = verifyRows(Fg1, Colpi, boxes, archive, palette);
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
