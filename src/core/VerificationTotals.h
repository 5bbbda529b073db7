#pragma once

#include "core/CaseOutcome.h"

#include <cstdint>

// The counters of one verification run, as the summary beside the cases shows them.
struct VerificationTotals {
    std::int32_t casi = 0; // cases verified
    std::int32_t positivi = 0;
    std::int32_t senzaEsito = 0; // followed to the end without outcome (in play or negative)
    std::int32_t inGioco = 0;
    std::int32_t ambate = 0;
    std::int32_t ambi = 0;
    std::int32_t terni = 0;
    std::int32_t quaterne = 0;

    std::int32_t negativi() const { return senzaEsito - inGioco; }

    // Counts one verified case: its outcome and, when positive, what hit at the first positive colpo
    // (each ambata drawn, each quartina wheel by its ambo, terno or quaterna, each ambo ambata-Ai).
    void add(const CaseOutcome& outcome);
};
