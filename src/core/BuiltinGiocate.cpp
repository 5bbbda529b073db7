#include "core/BuiltinGiocate.h"

#include <algorithm>

namespace {
WheelMask wheelBit(int w) {
    return w >= 0 && w < WheelCount ? static_cast<WheelMask>(1u << w) : WheelMask{0};
}
} // namespace

Giocata giocataOf(const EqualAmboCase& c, int colpi, const OutcomeBoxes& boxes, const Stakes& stakes) {
    Giocata g;
    g.draw = c.draw;
    g.colpi = colpi;
    g.puntate.reserve(7); // at most: the ambata, three ambi, three sorti of the quartina
    const Forecast& f = c.forecast;
    const WheelMask caseWheels = static_cast<WheelMask>(wheelBit(c.wheel1) | wheelBit(c.wheel2));
    if (boxes.ambata)
        g.puntate.push_back({{f.Ambata}, Puntata::Sorte::Estratto, caseWheels, false, stakes.ambata});
    if (boxes.treAmbi) {
        std::vector<int> others;
        for (int a : {f.A1, f.A2, f.A3})
            if (a != f.Ambata && std::find(others.begin(), others.end(), a) == others.end()) {
                others.push_back(a);
                g.puntate.push_back({{f.Ambata, a}, Puntata::Sorte::Ambo, caseWheels, false, stakes.ambo});
            }
    }
    if (boxes.quartina) {
        std::vector<int> quartina;
        for (int n : {f.Ambata, f.A1, f.A2, f.A3})
            if (std::find(quartina.begin(), quartina.end(), n) == quartina.end())
                quartina.push_back(n);
        const WheelMask wheels =
            boxes.tutte ? WheelMask{0} : static_cast<WheelMask>(caseWheels & Puntata::TenWheels);
        const std::array<double, 3> posta{stakes.ambo, stakes.terno, stakes.quaterna};
        for (int sorte = 2; sorte <= static_cast<int>(quartina.size()); ++sorte)
            if (boxes.tutte || wheels != 0)
                g.puntate.push_back({quartina, static_cast<Puntata::Sorte>(sorte), wheels, boxes.tutte,
                                     posta[static_cast<std::size_t>(sorte - 2)]});
    }
    return g;
}

Giocata giocataOf(const OverdueCase& c, int colpi, const Stakes& stakes) {
    Giocata g;
    g.draw = c.draw;
    g.colpi = colpi;
    g.puntate.push_back({{c.number}, Puntata::Sorte::Estratto, wheelBit(c.wheel), false, stakes.ambata});
    return g;
}
