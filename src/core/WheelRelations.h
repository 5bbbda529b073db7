#pragma once

#include "core/DrawArchive.h"

#include <array>

// The wheel types of the method ("Tutte", "Adiacenti", "Diametrali", "Gemelle", "GMTV", "CFRZ", "BNP")
// and the fixed tables behind them.
struct WheelRelations {
    using WheelFlags = std::array<bool, 11>;
    using WheelPairs = std::array<WheelFlags, 11>;
    using Types = std::array<bool, 7>;
    static constexpr int TypeCount = 7;

    WheelPairs RuoteAdiacenti{};
    WheelPairs RuoteDiametrali{};
    WheelPairs RuoteGemelle{};
    WheelFlags GruppoGMTV{};
    WheelFlags GruppoCFRZ{};
    WheelFlags GruppoBNP{};

    void fillWheelRelationships();

    // Whether type t (0 = "Tutte" .. 6 = "BNP") holds the pair.
    bool typeHolds(int t, int w1, int w2) const;
    // Whether the checked types admit the pair (union of the choices; none checked admits none).
    bool admits(const Types& types, int w1, int w2) const;

    // The tables filled once, for code that holds no window state.
    static const WheelRelations& standard();
};
