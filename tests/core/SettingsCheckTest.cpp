#include "core/SettingsCheck.h"

#include "WheelCodes.h"

#include <gtest/gtest.h>

namespace {

std::array<bool, WheelCount> wheelsOf(std::initializer_list<int> chosen) {
    std::array<bool, WheelCount> wheels{};
    for (int w : chosen)
        wheels[static_cast<std::size_t>(w)] = true;
    return wheels;
}

} // namespace

// What each method needs of the wheels before it can find a case: the overdue number plays on one wheel,
// the equal ambo needs a pair its types admit (the sweep tries every type itself).
TEST(MethodWheels, EachMethodAsksForWhatItCanFindCasesOn) {
    using M = MethodSettings::Metodo;
    const WheelRelations::Types adjacent{false, true, false, false, false, false, false};
    const WheelRelations::Types none{};
    struct Row {
        const char* name;
        M metodo;
        std::array<bool, WheelCount> wheels;
        WheelRelations::Types types;
        bool sweep;
        const char* error; // start of the message; empty when accepted
    };
    for (const Row& row : {
             Row{"overdueOneWheel", M::Ritardatario, wheelsOf({NZ}), none, false, ""},
             Row{"overdueNoWheel", M::Ritardatario, wheelsOf({}), none, false,
                 "Selezionare almeno una ruota"},
             Row{"overdueSweepOneWheel", M::Ritardatario, wheelsOf({BA}), none, true, ""},
             Row{"amboOneWheel", M::AmboUguale, wheelsOf({BA}), adjacent, false,
                 "Selezionare almeno due ruote"},
             Row{"amboNoType", M::AmboUguale, wheelsOf({BA, CA}), none, false, "Selezionare almeno un tipo"},
             Row{"amboAdjacentPair", M::AmboUguale, wheelsOf({BA, CA}), adjacent, false, ""},
             Row{"amboPairNotAdjacent", M::AmboUguale, wheelsOf({BA, NZ}), adjacent, false, "Nessuna coppia"},
             Row{"amboSweepAnyPair", M::AmboUguale, wheelsOf({BA, NZ}), none, true, ""},
             Row{"amboSweepOneWheel", M::AmboUguale, wheelsOf({BA}), none, true,
                 "Selezionare almeno due ruote"},
         }) {
        SCOPED_TRACE(row.name);
        const QString error = methodWheelsError(row.metodo, row.wheels, row.types, row.sweep);
        if (*row.error == '\0')
            EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        else
            EXPECT_TRUE(error.startsWith(QString::fromUtf8(row.error))) << error.toStdString();
    }
}
