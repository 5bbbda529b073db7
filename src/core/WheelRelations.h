#pragma once

#include "core/WheelNames.h"

#include <array>
#include <string_view>

// The wheel types of the method and the fixed tables behind them.
struct WheelRelations {
    using WheelFlags = std::array<bool, WheelCount>;
    using WheelPairs = std::array<WheelFlags, WheelCount>;
    static constexpr int TypeCount = 7;
    using Types = std::array<bool, TypeCount>;

    // The types as the windows name them; the tools' options spell them in lower case.
    static constexpr std::array<std::string_view, TypeCount> TypeNames{
        "Tutte", "Adiacenti", "Diametrali", "Gemelle", "GMTV", "CFRZ", "BNP"};

    WheelPairs adjacentPairs{};
    WheelPairs diametralPairs{};
    WheelPairs twinPairs{};
    WheelFlags gmtvGroup{};
    WheelFlags cfrzGroup{};
    WheelFlags bnpGroup{};

    void fillWheelRelationships();

    // Whether type t (0 = "Tutte" .. 6 = "BNP") holds the pair.
    bool typeHolds(int t, int w1, int w2) const;
    // Whether the checked types admit the pair (union of the choices; none checked admits none).
    bool admits(const Types& types, int w1, int w2) const;

    // The tables filled once, for code that holds no window state.
    static const WheelRelations& standard();
};
