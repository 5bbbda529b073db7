#include "core/SweepTotals.h"

#include "core/CaseTracks.h"
#include "core/ChanceIndex.h"
#include "core/Collaudo.h"

#include <cmath>

void SweepTotals::addCase(const CaseTracks& tracks, std::size_t i, int k, int chance) {
    spent += tracks.spentWithin(i, k);
    won += tracks.wonWithin(i, k);
    if (!tracks.completeWithin(i, k))
        return;
    ++complete;
    positives += tracks.positiveWithin(i, k) ? 1 : 0;
    moments.add(tracks.probabilityWithin(i, k));
    const auto c = static_cast<std::size_t>(chance);
    if (chanceCounts.size() <= c)
        chanceCounts.resize(c + 1, 0);
    ++chanceCounts[c];
}

void SweepTotals::add(const SweepTotals& o) {
    complete += o.complete;
    positives += o.positives;
    moments.add(o.moments);
    spent += o.spent;
    won += o.won;
    if (chanceCounts.size() < o.chanceCounts.size())
        chanceCounts.resize(o.chanceCounts.size(), 0);
    for (std::size_t c = 0; c < o.chanceCounts.size(); ++c)
        chanceCounts[c] += o.chanceCounts[c];
}

SweepFigures sweepFigures(const SweepTotals& t, const ChanceIndex& index, int k) {
    CollaudoSummary s;
    s.casiCompleti = t.complete;
    s.positiviCompleti = t.positives;
    s.attesi = t.moments.mean;
    s.deviazione = std::sqrt(t.moments.variance);
    s.spesa = t.spent;
    s.vincite = t.won;
    completeSummary(s);
    SweepFigures f;
    f.casiCompleti = t.complete;
    f.positivi = t.positives;
    f.attesi = s.attesi;
    f.z = s.z;
    f.p = saddlepointUpperTail(index.chances(k, t.chanceCounts), t.positives);
    f.saldo = s.saldo;
    f.resa = s.resa;
    return f;
}
