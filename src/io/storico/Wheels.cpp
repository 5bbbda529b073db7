#include "io/storico/Wheels.h"

#include <cctype>

namespace storico {

namespace {

struct WheelNames {
    std::string column;
    std::string storico;
    std::string other; // the archive's code where it differs from the operator's, else empty
    std::string name;
};

const std::array<WheelNames, WheelCount>& wheelNames() {
    static const std::array<WheelNames, WheelCount> names{{
        {"Ba", "BA", "", "BARI"},
        {"Ca", "CA", "", "CAGLIARI"},
        {"Fi", "FI", "", "FIRENZE"},
        {"Ge", "GE", "", "GENOVA"},
        {"Mi", "MI", "", "MILANO"},
        {"Na", "NA", "", "NAPOLI"},
        {"Pa", "PA", "", "PALERMO"},
        {"Ro", "RM", "RO", "ROMA"},
        {"To", "TO", "", "TORINO"},
        {"Ve", "VE", "", "VENEZIA"},
        {"Nz", "RN", "NZ", "NAZIONALE"},
    }};
    return names;
}

} // namespace

std::optional<int> wheelFromCode(std::string_view code) {
    std::string upper(code);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto& names = wheelNames();
    for (int wheel = 0; wheel < WheelCount; ++wheel) {
        const auto& n = names[static_cast<std::size_t>(wheel)];
        if (upper == n.storico || upper == n.name || (!n.other.empty() && upper == n.other))
            return wheel;
    }
    return std::nullopt;
}

const std::string& archiveColumn(int wheel) {
    return wheelNames().at(static_cast<std::size_t>(wheel)).column;
}

const std::string& storicoCode(int wheel) {
    return wheelNames().at(static_cast<std::size_t>(wheel)).storico;
}

} // namespace storico
