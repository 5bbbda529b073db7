#include "Collaudo.h"

#include "DrawArchive.h"
#include "Payouts.h"
#include "PoissonBinomial.h"

#include <cmath>

SearchSettings CollaudoSettings::search() const {
    SearchSettings s;
    s.wheels = wheels;
    for (int p = 1; p <= PositionCount; ++p)
        s.positions[p] = positions[p - 1];
    s.adjacentPositions = adjacentPositions;
    s.admitTypes(types, WheelRelations::standard());
    return s;
}

void completeSummary(CollaudoSummary& s) {
    s.z.reset();
    if (s.deviazione > 0.0)
        s.z = (s.positiviCompleti - s.attesi) / s.deviazione;
    s.ritenuta = s.vincite * Payouts::Ritenuta;
    s.saldo = s.vincite - s.ritenuta - s.spesa;
    s.resa.reset();
    if (s.spesa > 0.0)
        s.resa = s.saldo / s.spesa;
}

CollaudoSummary summariseTracks(const CaseTracks& t, int k,
                                const std::function<bool(std::size_t)>& includes) {
    CollaudoSummary s;
    double variance = 0.0;
    std::vector<double> completeChances;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (includes && !includes(i))
            continue;
        ++s.casi;
        const bool positive = t.positiveWithin(i, k);
        if (positive)
            ++s.positivi;
        else if (t.completeWithin(i, k))
            ++s.negativi;
        else
            ++s.inGioco;
        s.spesa += t.spentWithin(i, k);
        s.vincite += t.wonWithin(i, k);
        if (!t.completeWithin(i, k))
            continue;
        const double p = t.probabilityWithin(i, k);
        ++s.casiCompleti;
        if (positive)
            ++s.positiviCompleti;
        s.attesi += p;
        variance += p * (1.0 - p);
        completeChances.push_back(p);
    }
    s.deviazione = std::sqrt(variance);
    s.p = poissonBinomialUpperTail(completeChances, s.positiviCompleti);
    completeSummary(s);
    return s;
}

CollaudoResult runCollaudo(const CollaudoSettings& settings, const DrawArchive& archive) {
    const int colpi = std::max(settings.colpi, 0);
    CaseTracks t =
        trackCases(findEqualAmbi(settings.search(), archive, settings.lastDraw(archive), settings.first),
                   colpi, settings.boxes, settings.stakes, archive, settings.threads);
    CollaudoResult r;
    r.riepilogo = summariseTracks(t, colpi);
    r.colpi.resize(static_cast<std::size_t>(colpi));
    for (int k = 1; k <= colpi; ++k)
        r.colpi[static_cast<std::size_t>(k - 1)].colpo = k;
    // One pass over the cases, each adding to every colpo's row: the sums add the cases in the same
    // order as a pass per colpo would, while the tracks are read once.
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!t.completeWithin(i, colpi))
            continue;
        for (int k = 1; k <= colpi; ++k) {
            CollaudoColpo& row = r.colpi[static_cast<std::size_t>(k - 1)];
            row.positivi += t.positiveWithin(i, k) ? 1 : 0;
            row.attesi += t.probabilityWithin(i, k);
        }
    }
    r.casi.reserve(t.size());
    for (std::size_t i = 0; i < t.size(); ++i) {
        CollaudoCase c;
        c.equalAmbo = t.cases[i];
        c.date = archive.drawDate(c.equalAmbo.draw);
        c.colpo = t.colpo[i];
        c.complete = t.completeWithin(i, colpi);
        c.esito = c.colpo != 0 ? CaseOutcome::Esito::Positivo
                  : c.complete ? CaseOutcome::Esito::Negativo
                               : CaseOutcome::Esito::InGioco;
        c.probability = t.probabilityWithin(i, colpi);
        c.spent = t.spentWithin(i, colpi);
        c.won = t.wonWithin(i, colpi);
        c.withheld = c.won * Payouts::Ritenuta;
        r.casi.push_back(c);
    }
    return r;
}
