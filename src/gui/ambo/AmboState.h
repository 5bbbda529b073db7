#pragma once

#include "core/WheelRelations.h"
#include "gui/kit/SelectionGrids.h"

#include <array>
#include <cstdint>

// What the ambo window holds between its controls and its searches: the range, the snapshot of the
// parameters taken at each "ELABORA", the case counter, and the fixed wheel-relationship tables (refilled
// with the same values at every load of the window).
struct AmboState : WheelRelations {
    static constexpr std::uint32_t ColoreRuota = ChosenWheelColour;
    static constexpr std::uint32_t ColorePosizione = ChosenPositionColour;
    static constexpr std::uint32_t Bianco = NotChosenColour;

    std::int16_t IndiceInizio = 0;
    std::int16_t IndiceFine = 0;
    WheelFlags RuoteSelezionate{};
    std::array<bool, 6> PosizioniSelezionate{}; // 1..5, index 0 unused
    WheelFlags TipiRuote{};                     // 0..6 used
    bool PosizioniAdiacenti = false;
    std::int16_t Colpi = 0;
    std::int16_t LimiteCasi = 0;
    std::int32_t CasiTrovati = 0;
    std::int16_t EstrazioneMinima = 0;
    // The oldest draw the last search looked at when the case cap stopped it before the end of its
    // range; 0 when the search ended otherwise.
    std::int16_t EstrazioneFermata = 0;
};
