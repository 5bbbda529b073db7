#include "gui/collaudo/SweepSelection.h"

#include "core/DrawArchive.h"
#include "core/DrawDate.h"
#include "gui/collaudo/CollaudoPresentation.h"
#include "gui/kit/ItalianFormat.h"

#include <algorithm>

namespace {

// "1990-2009", or "2009" for one year.
QString yearsText(const DrawArchive& archive, int first, int last) {
    if (first < 1 || last > archive.drawCount() || first > last)
        return QStringLiteral("-");
    const int from = drawDay(archive, first).year();
    const int to = drawDay(archive, last).year();
    return from == to ? QString::number(from) : QStringLiteral("%1-%2").arg(from).arg(to);
}

// The exact figures behind the small p's a sentence shows, one a line.
void addTip(QString& tip, const QString& label, double p) {
    const QString exact = italian::pExact(p);
    if (exact.isEmpty())
        return;
    if (!tip.isEmpty())
        tip += QLatin1Char('\n');
    tip += label + QStringLiteral(": ") + exact;
}

} // namespace

bool sameBackTest(const CollaudoSettings& a, const CollaudoSettings& b) {
    return static_cast<const MethodSettings&>(a) == static_cast<const MethodSettings&>(b) && a.first == b.first &&
           a.last == b.last && sameStakes(a.stakes, b.stakes);
}

bool SweepSelection::stillHolds(const CollaudoSettings& asked) const {
    return sameBackTest(asked, settings);
}

SweepSelection sweepSelection(const SweepOutcome& sweep, int row, const CollaudoSettings& applied,
                              const DrawArchive& archive) {
    const SweepRow& r = sweep.result.rows.at(static_cast<std::size_t>(row));
    SweepSelection selection;
    selection.settings = applied;
    selection.combinations = sweep.result.combinations;
    selection.pHolm = r.pHolm;
    selection.fuori = r.fuori;
    const int first = sweep.settings.first;
    const int last = sweep.settings.last > 0 ? sweep.settings.last : archive.drawCount();
    const int split = sweep.settings.split;
    const bool splitInside = split > 0 && split <= archive.drawCount();
    if (splitInside)
        selection.fuoriFrom = archive.drawDate(split);
    selection.measuredYears = yearsText(archive, first, split > 0 ? std::min(split - 1, last) : last);
    selection.backTestYears = yearsText(archive, applied.first, applied.lastDraw(archive));
    return selection;
}

void noteSweepSelection(CollaudoShown& shown, const SweepSelection& selection, const CollaudoResult& result) {
    const CollaudoSummary& s = result.riepilogo;
    const QString tried = italian::integer(static_cast<long long>(selection.combinations));
    // A corrected p near 1 says nothing was found, not that the result is worse than chance.
    QString sentence =
        QStringLiteral("Impostazioni scelte nell'esplorazione fra %1 combinazioni provate sui casi degli anni "
                       "%2. Tenendo conto di tutte, %3: %4")
            .arg(tried, selection.measuredYears,
                 italian::pIs(selection.pHolm).replace(QStringLiteral("p "), QStringLiteral("p corretto (Holm) ")),
                 chanceVerdict(std::min(selection.pHolm, 0.5)));
    QString tip;
    addTip(tip, QStringLiteral("p corretto (Holm)"), selection.pHolm);
    if (selection.fuori) {
        const SweepFigures& f = *selection.fuori;
        if (f.casiCompleti > 0) {
            const double p = f.pEsatto.value_or(f.p);
            sentence += QStringLiteral(" Fuori campione, sui casi dal %1, che non hanno contribuito alla scelta: "
                                       "%2 su %3, per puro caso se ne attendevano %4 (%5): %6")
                            .arg(selection.fuoriFrom, italian::counted(f.positivi, "positivo", "positivi"),
                                 italian::counted(f.casiCompleti, "caso completo", "casi completi"),
                                 italian::decimal(f.attesi, 0), italian::pIs(p), chanceVerdict(p));
            addTip(tip, QStringLiteral("p fuori campione"), p);
        } else {
            sentence += QStringLiteral(" Fuori campione, dal %1: nessun caso completo.").arg(selection.fuoriFrom);
        }
    }
    if (s.casiCompleti > 0) {
        sentence += QStringLiteral(" Su tutti i casi del periodo scelto (%1%2): %3, un p non corretto, che la "
                                   "scelta della migliore fra tante combinazioni rende piccolo anche per sola "
                                   "fortuna.")
                        .arg(selection.backTestYears,
                             selection.fuori ? QStringLiteral(", fuori campione compreso") : QString(),
                             comparisonWithChance(s));
        addTip(tip, QStringLiteral("p non corretto"), s.p);
        sentence += balanceSentence(s);
    } else {
        // Nothing of the back-test's own compares with chance: its explanation follows as it is.
        sentence += QLatin1Char(' ') + shown.sentence;
    }
    shown.sentence = sentence;
    shown.sentenceTip = tip;

    // The corrected p first, where the eye starts: the summary's own p is the inflated one.
    const auto at = shown.summary.begin();
    shown.summary.insert(at, {{QStringLiteral("p corretto (Holm)"), italian::pValue(selection.pHolm)},
                              {QStringLiteral("Combinazioni provate"), tried}});
    shown.addSmallPNote(QStringLiteral("p corretto (Holm)"), selection.pHolm);
    if (!selection.fuori)
        return;
    const SweepFigures& f = *selection.fuori;
    const double p = f.pEsatto.value_or(f.p);
    shown.summary.insert(shown.summary.begin() + 2,
                         {{QStringLiteral("Fuori: casi completi"), italian::integer(f.casiCompleti)},
                          {QStringLiteral("Fuori: positivi"), italian::integer(f.positivi)},
                          {QStringLiteral("Fuori: attesi"), italian::decimal(f.attesi, 2)},
                          {QStringLiteral("Fuori: p"), f.casiCompleti > 0 ? italian::pValue(p) : QStringLiteral("-")}});
    if (f.casiCompleti > 0)
        shown.addSmallPNote(QStringLiteral("Fuori: p"), p);
}
