#include "gui/ambo/ConfiguraParametri.h"

#include "core/CaseSearch.h"
#include "core/DrawArchive.h"
#include "core/LeadingNumber.h"

std::int16_t readComboNumber(const QString& text) {
    // A typed number too large for the counters reads like a text that is no number at all.
    return roundToInt16(leadingNumber(text)).value_or(0);
}

void ConfiguraParametri(const AmboControls& controls, AmboGrids& grids, AmboState& state,
                        const DrawArchive& archive, const std::function<void(int)>& setProgressMaximum) {
    state.TipiRuote = {};
    for (int i = 0; i < static_cast<int>(controls.Ch_RuoteTipo.size()); ++i)
        state.TipiRuote[i] = controls.Ch_RuoteTipo[i] == AmboControls::Checked;
    state.PosizioniAdiacenti = controls.ChPosAdi == AmboControls::Checked;
    state.Colpi = readComboNumber(controls.ComboC);
    if (setProgressMaximum)
        setProgressMaximum(archive.drawCount());
    const bool interval = controls.Ch_Intervallo == AmboControls::Checked;
    const CaseSearchSpan span =
        caseSearchSpan(interval, state.IndiceInizio, state.IndiceFine, readComboNumber(controls.ComboNC));
    state.LimiteCasi = static_cast<std::int16_t>(span.limit);
    state.EstrazioneMinima = static_cast<std::int16_t>(span.to);
    for (int k = 0; k < 11; ++k)
        state.RuoteSelezionate[k] = grids.FgR.backColour(0, k) == AmboState::ColoreRuota;
    for (int k = 0; k < 5; ++k)
        state.PosizioniSelezionate[k + 1] = grids.Fgp.backColour(0, k) == AmboState::ColorePosizione;
    grids.Fg1.setRows(1);
    state.CasiTrovati = 0;
}
