#include "gui/ambo/EqualAmboSearch.h"

#include "core/DrawArchive.h"
#include "gui/ambo/AmboGridLayout.h"
#include "gui/ambo/CellValue.h"

#include <QString>
#include <algorithm>
#include <array>

namespace {
constexpr int CaseCap = 1000;
constexpr GridModel::Colour Red = 255;
constexpr GridModel::Colour Blue = 16711680;

void writeNumbers(GridModel& Fg1, int row, int firstCol,
                  const std::array<std::int16_t, PositionCount>& numbers, int p1, int p2) {
    for (int p = 1; p <= PositionCount; ++p)
        Fg1.setText(row, firstCol + p - 1, QString::number(numbers[p - 1]));
    Fg1.setBackColour(row, firstCol + p1 - 1, AmboState::ColorePosizione);
    Fg1.setBackColour(row, firstCol + p2 - 1, AmboState::ColorePosizione);
}

void appendCase(GridModel& Fg1, const AmboState& state, const DrawArchive& archive, const EqualAmboCase& c) {
    const int d = c.draw;
    const int w1 = c.wheel1;
    const int w2 = c.wheel2;
    const Forecast& f = c.forecast;
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
    writeNumbers(Fg1, r, ColNumeri1, c.numbers1, c.position1, c.position2);
    writeNumbers(Fg1, r, ColNumeri2, c.numbers2, c.position1, c.position2);
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
    state.EstrazioneFermata = 0;
    // The counter may start above zero; the search stops between draws once it reaches LimiteCasi or
    // passes the cap.
    const std::int64_t found = state.CasiTrovati;
    const std::int64_t stopAt = std::min<std::int64_t>(state.LimiteCasi - found, CaseCap + 1 - found);
    const std::vector<EqualAmboCase> cases =
        findEqualAmbi(searchSettings(state), archive, state.IndiceFine, state.EstrazioneMinima, stopAt);
    for (const EqualAmboCase& c : cases) {
        ++state.CasiTrovati;
        appendCase(Fg1, state, archive, c);
    }
    // Stopped by the cap, not by the case count asked for, with older draws of the range left unread.
    if (!cases.empty() && state.CasiTrovati < state.LimiteCasi && state.CasiTrovati > CaseCap &&
        cases.back().draw > std::max<int>(state.EstrazioneMinima, 0))
        state.EstrazioneFermata = static_cast<std::int16_t>(cases.back().draw);
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
