#include "core/CaseOutcome.h"

QString esitoName(CaseOutcome::Esito esito) {
    switch (esito) {
    case CaseOutcome::Esito::Positivo:
        return QStringLiteral("positivo");
    case CaseOutcome::Esito::InGioco:
        return QStringLiteral("in gioco");
    case CaseOutcome::Esito::Negativo:
        break;
    }
    return QStringLiteral("negativo");
}
