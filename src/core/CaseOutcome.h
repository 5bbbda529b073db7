#pragma once

#include "core/DrawArchive.h"

#include <QString>
#include <array>
#include <cstdint>

// A wheel on which the quartina gave two or more numbers, with those numbers in drawn order.
struct QuartinaHit {
    int wheel = 0;
    int count = 0;
    std::array<std::int16_t, PositionCount> numbers{};
};

// How a case went over its Colpi draws. Everything but esito and colpo describes the first positive
// colpo, the only one the verification looks at in detail.
struct CaseOutcome {
    enum class Esito : std::uint8_t { Negativo, Positivo, InGioco };
    static constexpr int QuartinaWheels = 10; // Bari..Venezia; Nazionale is never examined for the quartina

    Esito esito = Esito::Negativo;
    int colpo = 0;                             // first positive colpo, 0 when none
    std::array<int, 2> ambata{};               // positions holding the ambata on R1 and R2
    std::array<std::array<bool, 2>, 3> ambi{}; // ambata-Ai on R1 and R2, for A1, A2, A3
    int quartinaCount = 0;
    std::array<QuartinaHit, QuartinaWheels> quartina{};

    bool positive() const { return esito == Esito::Positivo; }
    static bool quartinaWheel(int w) { return w >= 0 && w < QuartinaWheels; }
};

// "positivo", "negativo" or "in gioco", as the reports and the windows write an outcome.
QString esitoName(CaseOutcome::Esito esito);
