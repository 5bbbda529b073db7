#include "core/Collaudo.h"

#include "core/BuiltinGiocate.h"
#include "core/DrawArchive.h"
#include "core/DrawnNumbers.h"
#include "core/OverdueCases.h"
#include "core/Payouts.h"
#include "core/PoissonBinomial.h"

#include <algorithm>
#include <cmath>
#include <thread>

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

namespace {
// The search shared out by draw range, the most recent range first, so that the cases come out in the
// order of one search over the whole range.
std::vector<EqualAmboCase> findCases(const CollaudoSettings& settings, const DrawArchive& archive) {
    const SearchSettings search = settings.search();
    const int high = std::min(settings.lastDraw(archive), DrawCapacity - 1);
    const int low = std::max(settings.first, 0);
    const int parts = std::clamp(settings.threads, 1, std::max(high - low + 1, 1));
    if (parts == 1)
        return findEqualAmbi(search, archive, settings.lastDraw(archive), settings.first);
    std::vector<std::vector<EqualAmboCase>> found(static_cast<std::size_t>(parts));
    const int length = (high - low + 1 + parts - 1) / parts;
    auto part = [&](int i) {
        const int from = high - i * length;
        found[static_cast<std::size_t>(i)] =
            findEqualAmbi(search, archive, from, std::max(from - length + 1, low));
    };
    {
        std::vector<std::jthread> helpers;
        for (int i = 1; i < parts; ++i)
            helpers.emplace_back(part, i);
        part(0);
    }
    std::size_t total = 0;
    for (const auto& f : found)
        total += f.size();
    std::vector<EqualAmboCase> cases = std::move(found[0]);
    cases.reserve(total);
    for (std::size_t i = 1; i < found.size(); ++i)
        cases.insert(cases.end(), found[i].begin(), found[i].end());
    return cases;
}
} // namespace

namespace {
// The figures every method's case shows, from its track.
CollaudoCase caseOf(const CaseTracks& t, std::size_t i, int colpi, int draw, const DrawArchive& archive) {
    CollaudoCase c;
    c.draw = draw;
    c.date = archive.drawDate(draw);
    c.colpo = t.colpo[i];
    c.complete = t.completeWithin(i, colpi);
    c.esito = c.colpo != 0 ? CaseOutcome::Esito::Positivo
              : c.complete ? CaseOutcome::Esito::Negativo
                           : CaseOutcome::Esito::InGioco;
    c.probability = t.probabilityWithin(i, colpi);
    c.spent = t.spentWithin(i, colpi);
    c.won = t.wonWithin(i, colpi);
    c.withheld = c.won * Payouts::Ritenuta;
    return c;
}
} // namespace

namespace {
// The summary and the per-colpo rows of every case, played with up to `colpi` colpi.
void summarise(CollaudoResult& r, const CaseTracks& t, int colpi) {
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
}
} // namespace

CollaudoResult runCollaudo(const CollaudoSettings& settings, const DrawArchive& archive) {
    const int colpi = std::max(settings.colpi, 0);
    CollaudoResult r;
    r.metodo = settings.metodo;
    std::vector<EqualAmboCase> equalAmbi;
    std::vector<OverdueCase> overdue;
    CaseTracks t;
    // The built-ins follow their cases with their own rules (core/CaseBets.h, core/CaseChance.h and
    // VERIFICA's outcome), the same as their giocate's (core/BuiltinGiocate.h) and faster for the many
    // cases of a sweep.
    if (settings.metodo == MethodSettings::Metodo::Ritardatario) {
        const DrawnNumbers drawn(archive);
        overdue = findOverdueCases(settings.wheels, settings.soglia, colpi, settings.first,
                                   settings.lastDraw(archive), archive, drawn);
        t = trackCases(overdue, colpi, settings.stakes, drawn, settings.threads);
    } else {
        equalAmbi = findCases(settings, archive);
        t = trackCases(equalAmbi, colpi, settings.boxes, settings.stakes, archive, settings.threads);
    }
    summarise(r, t, colpi);
    r.casi.reserve(t.size());
    for (std::size_t i = 0; i < equalAmbi.size(); ++i) {
        r.casi.push_back(caseOf(t, i, colpi, equalAmbi[i].draw, archive));
        r.casi.back().source = equalAmbi[i];
    }
    for (std::size_t i = 0; i < overdue.size(); ++i) {
        r.casi.push_back(caseOf(t, i, colpi, overdue[i].draw, archive));
        r.casi.back().source = overdue[i];
    }
    return r;
}

Giocata playedGiocata(const CollaudoCase& c, const CollaudoSettings& settings) {
    const int colpi = std::max(settings.colpi, 0);
    if (const auto* e = std::get_if<EqualAmboCase>(&c.source))
        return giocataOf(*e, colpi, settings.boxes, settings.stakes);
    if (const auto* o = std::get_if<OverdueCase>(&c.source))
        return giocataOf(*o, colpi, settings.stakes);
    return c.giocata;
}

CollaudoResult giocateResult(const std::vector<Giocata>& giocate, const CaseTracks& tracks,
                             const DrawArchive& archive) {
    CollaudoResult r;
    summarise(r, tracks, tracks.colpi);
    r.casi.reserve(giocate.size());
    for (std::size_t i = 0; i < giocate.size() && i < tracks.size(); ++i) {
        r.casi.push_back(caseOf(tracks, i, tracks.colpi, giocate[i].draw, archive));
        r.casi.back().giocata = giocate[i];
    }
    return r;
}

CollaudoResult runGiocate(const std::vector<Giocata>& giocate, const DrawArchive& archive, int threads,
                          const std::function<void(std::size_t)>& progress, const std::atomic<bool>* cancel) {
    const DrawnNumbers drawn(archive);
    return giocateResult(giocate, trackGiocate(giocate, drawn, threads, progress, cancel), archive);
}
