#include "gui/collaudo/SweepSelection.h"

#include "gui/collaudo/CollaudoPresentation.h"
#include "gui/kit/ItalianFormat.h"

#include <algorithm>

bool SweepSelection::stillHolds(const CollaudoSettings& asked) const {
    const auto stakes = [](const Stakes& s) { return std::array{s.ambata, s.ambo, s.terno, s.quaterna}; };
    return static_cast<const MethodSettings&>(asked) == static_cast<const MethodSettings&>(settings) &&
           asked.first == settings.first && asked.last == settings.last &&
           stakes(asked.stakes) == stakes(settings.stakes);
}

SweepSelection sweepSelection(const SweepOutcome& sweep, int row, const CollaudoSettings& applied,
                              const QString& fuoriFrom) {
    const SweepRow& r = sweep.result.rows.at(static_cast<std::size_t>(row));
    SweepSelection selection;
    selection.settings = applied;
    selection.combinations = sweep.result.combinations;
    selection.pHolm = r.pHolm;
    selection.fuori = r.fuori;
    selection.fuoriFrom = fuoriFrom;
    return selection;
}

void noteSweepSelection(CollaudoShown& shown, const SweepSelection& selection) {
    const QString tried = italian::integer(static_cast<long long>(selection.combinations));
    shown.sentence +=
        QStringLiteral(" Attenzione: queste impostazioni sono state scelte nell'esplorazione tra %1 "
                       "combinazioni provate, e la migliore di tante prove sembra buona anche per sola "
                       "fortuna. Tenendo conto di tutte, p corretto (Holm) = %2: %3")
            // A corrected p near 1 says nothing was found, not that the result is worse than chance.
            .arg(tried, italian::pValue(selection.pHolm), chanceVerdict(std::min(selection.pHolm, 0.5)));
    shown.summary.emplace_back(QStringLiteral("Combinazioni provate"), tried);
    shown.summary.emplace_back(QStringLiteral("p corretto (Holm)"), italian::pValue(selection.pHolm));
    if (!selection.fuori)
        return;
    const SweepFigures& f = *selection.fuori;
    if (f.casiCompleti > 0) {
        const double p = f.pEsatto.value_or(f.p);
        shown.sentence +=
            QStringLiteral(" Fuori campione, dal %1: %2 su %3, per puro caso se ne attendevano %4 (p = %5).")
                .arg(selection.fuoriFrom, italian::counted(f.positivi, "positivo", "positivi"),
                     italian::counted(f.casiCompleti, "caso completo", "casi completi"),
                     italian::decimal(f.attesi, 0), italian::pValue(p));
    } else {
        shown.sentence +=
            QStringLiteral(" Fuori campione, dal %1: nessun caso completo.").arg(selection.fuoriFrom);
    }
    shown.summary.emplace_back(QStringLiteral("Fuori: casi completi"), italian::integer(f.casiCompleti));
    shown.summary.emplace_back(QStringLiteral("Fuori: positivi"), italian::integer(f.positivi));
    shown.summary.emplace_back(QStringLiteral("Fuori: attesi"), italian::decimal(f.attesi, 2));
    shown.summary.emplace_back(QStringLiteral("Fuori: p"), f.casiCompleti > 0
                                                               ? italian::pValue(f.pEsatto.value_or(f.p))
                                                               : QStringLiteral("-"));
}
