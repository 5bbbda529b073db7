#pragma once

#include "core/OutcomeBoxes.h"
#include "core/WheelRelations.h"

#include <array>
#include <string_view>

struct SearchSettings;

// The method's settings as every window and tool starts them, and the names the tools' options and the
// windows' controls give them. The windows, the tools, their help and the back-test take their
// defaults from here.
struct MethodSettings {
    // How cases arise: two wheels sharing an ambo in one draw, the most delayed number of a wheel, or a
    // player's own method (a script, whose settings are its own parameters).
    enum class Metodo { AmboUguale, Ritardatario, Giocatore };

    Metodo metodo = Metodo::AmboUguale;
    std::array<bool, WheelCount> wheels{true, true, true, true, true, true, true, true, true, true, true};
    std::array<bool, PositionCount> positions{true, true, true, true, true};    // positions 1..5
    WheelRelations::Types types{false, true, true, false, false, false, false}; // "Adiacenti", "Diametrali"
    bool adjacentPositions = false;
    int colpi = 9;
    OutcomeBoxes boxes; // every box checked
    int soglia = 100;   // the overdue number: the delay at which a case opens

    static constexpr int MaxColpi = 18; // Colpi run from 1
    // The analysis stops after this many cases unless it searches a whole range.
    static constexpr int Casi = 10;

    // A setting's option (without its dashes) and the caption of its control.
    struct Name {
        std::string_view option;
        std::string_view caption;
    };
    static constexpr Name WheelsName{"ruote", "Ruote"};
    static constexpr Name PositionsName{"posizioni", "Posizioni"};
    static constexpr Name TypesName{"tipi", "Tipo ruote"};
    static constexpr Name AdjacentName{"posizioni-adiacenti", "Adiacenti"};
    static constexpr Name ColpiName{"colpi", "Colpi"};
    static constexpr Name OutcomesName{"esiti", "Esiti"};
    static constexpr Name MetodoName{"metodo", "Metodo"};
    static constexpr Name SogliaName{"soglia", "Soglia"};
    // The methods in the order of Metodo.
    static constexpr std::array<Name, 2> MetodoNames{
        {{"ambo-uguale", "Ambo uguale"}, {"ritardatario", "Ritardatario"}}};
    static constexpr int MaxSoglia = 9999; // a delay longer than any archive
    // The overdue number's sweep tries the thresholds SogliaStep, 2 SogliaStep, ... SweepSoglie SogliaStep.
    static constexpr int SogliaStep = 18;
    static constexpr int SweepSoglie = 10;
    // The outcome boxes in the order of OutcomeBoxes::flags(), as the windows caption them and as the options
    // spell them.
    static constexpr std::array<Name, 4> OutcomeNames{
        {{"ambata", "Ambata"}, {"3ambi", "3 ambi"}, {"quartina", "Quartina"}, {"tutte", "Tutte"}}};

    // What the search looks for with these settings.
    SearchSettings search() const;

    bool operator==(const MethodSettings&) const = default;
};
