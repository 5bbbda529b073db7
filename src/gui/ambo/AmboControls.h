#pragma once

#include <QString>
#include <array>

// The values of the ambo window's controls, copied out of the widgets by the window (or set by the batch
// tool), with the window's design-time state as defaults. Check boxes hold 0, 1 or 2 (grey); only 1 counts
// as checked.
struct AmboControls {
    static constexpr int Checked = 1;

    // "Tutte", "Adiacenti", "Diametrali", "Gemelle", "GMTV", "CFRZ", "BNP"
    std::array<int, 7> Ch_RuoteTipo{0, 1, 1, 0, 0, 0, 0};
    int ChPosAdi = 0;
    QString ComboC = QStringLiteral("9");
    QString ComboNC = QStringLiteral("10");
    int Ch_Intervallo = 0;
    int Ch_termina1 = 0;
    int ChIso = 1;
    // Outcome boxes read by the verification: "Ambata", "3 ambi", "Quartina", "Tutte".
    int Ch_1 = 1;
    int Ch_2 = 1;
    int Ch_4 = 1;
    int Ch_Tutte = 1;
    bool Option1 = true;  // "Cadenze"
    bool Option2 = false; // "Figure"
};
