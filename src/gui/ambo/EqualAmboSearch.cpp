#include "gui/ambo/EqualAmboSearch.h"

#include "core/CaseSearch.h"
#include "core/CaseTable.h"
#include "core/DrawArchive.h"
#include "gui/ambo/AmboGridLayout.h"
#include "gui/ambo/CellValue.h"

#include <QString>
#include <algorithm>
#include <array>

namespace {
constexpr GridModel::Colour Red = 255;
constexpr GridModel::Colour Blue = 16711680;

// One row of Fg1 with the case's texts, its two positions marked in both rows of numbers.
void appendCase(GridModel& Fg1, const AmboState& state, const DrawArchive& archive, const EqualAmboCase& c) {
    caseTable::Row texts;
    caseTable::writeCase(texts, c, state.CasiTrovati, state.Colpi, archive);
    Fg1.addRow();
    const int r = Fg1.rows() - 1;
    for (int col = 0; col < Fg1ColumnCount; ++col)
        if (!texts[static_cast<std::size_t>(col)].isNull())
            Fg1.setText(r, col, texts[static_cast<std::size_t>(col)]);
    for (int firstCol : {ColNumeri1, ColNumeri2}) {
        Fg1.setBackColour(r, firstCol + c.position1 - 1, AmboState::ColorePosizione);
        Fg1.setBackColour(r, firstCol + c.position2 - 1, AmboState::ColorePosizione);
    }
}
} // namespace

SearchSettings searchSettings(const AmboState& state) {
    MethodSettings settings;
    settings.wheels = state.RuoteSelezionate;
    std::copy_n(state.PosizioniSelezionate.begin() + 1, PositionCount, settings.positions.begin());
    std::copy_n(state.TipiRuote.begin(), WheelRelations::TypeCount, settings.types.begin());
    settings.adjacentPositions = state.PosizioniAdiacenti;
    return settings.search();
}

void searchEqualAmbi(AmboState& state, const DrawArchive& archive, GridModel& Fg1) {
    GridModel::Batch batch(Fg1);
    const CaseSearch search =
        searchCases(searchSettings(state), archive,
                    {state.IndiceFine, state.EstrazioneMinima, state.LimiteCasi}, state.CasiTrovati);
    for (const EqualAmboCase& c : search.cases) {
        ++state.CasiTrovati;
        appendCase(Fg1, state, archive, c);
    }
    state.EstrazioneFermata = static_cast<std::int16_t>(search.stoppedAt);
}

QString caseCapNotice(const AmboState& state) {
    return caseCapNotice(state.EstrazioneFermata, state.IndiceFine);
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
