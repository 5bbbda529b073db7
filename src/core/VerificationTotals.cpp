#include "core/VerificationTotals.h"

void VerificationTotals::add(const CaseOutcome& o) {
    ++casi;
    if (o.positive())
        ++positivi;
    else
        ++senzaEsito;
    if (o.esito == CaseOutcome::Esito::InGioco)
        ++inGioco;
    if (!o.positive())
        return;
    ambate += o.ambata[0] + o.ambata[1];
    for (int q = 0; q < o.quartinaCount; ++q) {
        const int count = o.quartina[q].count;
        if (count == 2)
            ++ambi;
        else if (count == 3)
            ++terni;
        else if (count == 4)
            ++quaterne;
    }
    for (const auto& onWheels : o.ambi)
        for (bool hit : onWheels)
            ambi += hit ? 1 : 0;
}
