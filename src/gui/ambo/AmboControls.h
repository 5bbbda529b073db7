#pragma once

#include "core/MethodSettings.h"

#include <QString>
#include <array>

// The values of the ambo window's controls, copied out of the widgets by the window (or set by the batch
// tool), with the window's design-time state as defaults: the method's settings, and the window's own
// boxes. Check boxes hold 0, 1 or 2 (grey); only 1 counts as checked.
struct AmboControls {
    static constexpr int Checked = 1;
    static constexpr int checkValue(bool checked) { return checked ? Checked : 0; }
    static constexpr MethodSettings Defaults{};

    // "Tutte", "Adiacenti", "Diametrali", "Gemelle", "GMTV", "CFRZ", "BNP"
    std::array<int, WheelRelations::TypeCount> Ch_RuoteTipo = [] {
        std::array<int, WheelRelations::TypeCount> boxes{};
        for (std::size_t t = 0; t < boxes.size(); ++t)
            boxes[t] = checkValue(Defaults.types[t]);
        return boxes;
    }();
    int ChPosAdi = checkValue(Defaults.adjacentPositions);
    QString ComboC = QString::number(Defaults.colpi);
    QString ComboNC = QString::number(MethodSettings::Casi);
    int Ch_Intervallo = 0;
    int Ch_termina1 = 0;
    int ChIso = 1;
    // Outcome boxes read by the verification: "Ambata", "3 ambi", "Quartina", "Tutte".
    int Ch_1 = checkValue(Defaults.boxes.ambata);
    int Ch_2 = checkValue(Defaults.boxes.treAmbi);
    int Ch_4 = checkValue(Defaults.boxes.quartina);
    int Ch_Tutte = checkValue(Defaults.boxes.tutte);
    bool Option1 = true;  // "Cadenze"
    bool Option2 = false; // "Figure"
};
