#include "core/Sweep.h"

#include "core/CaseTracks.h"
#include "core/Collaudo.h"
#include "core/DrawArchive.h"
#include "core/EqualAmbi.h"
#include "core/Holm.h"
#include "core/PoissonBinomial.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <map>
#include <mutex>
#include <numeric>
#include <thread>

namespace {
constexpr int K = SweepSettings::MaxColpi;
constexpr int PairCount = 10;
constexpr int NamedTypes = 6;
constexpr int TutteAlone = 0; // the type set holding "Tutte" alone; the others are masks 1..63

// Sums over a group of cases at one colpi value.
struct Totals {
    int complete = 0;
    int positives = 0;
    PoissonBinomialMoments moments;
    double spent = 0.0;
    double won = 0.0;

    void add(const Totals& o) {
        complete += o.complete;
        positives += o.positives;
        moments.add(o.moments);
        spent += o.spent;
        won += o.won;
    }
};

int pairIndex(int p1, int p2) {
    static const auto table = [] {
        std::array<std::array<int, 6>, 6> t{};
        int i = 0;
        for (int a = 1; a <= 4; ++a)
            for (int b = a + 1; b <= 5; ++b)
                t[a][b] = i++;
        return t;
    }();
    return table[p1][p2];
}

// A position set with "Adiacenti" on or off, and the position pairs it admits.
struct PositionChoice {
    std::array<bool, 5> positions{};
    bool adjacent = false;
    std::uint16_t pairs = 0; // bit per pairIndex
};

std::vector<PositionChoice> positionChoices() {
    std::vector<PositionChoice> choices;
    for (unsigned set = 0; set < 32; ++set) {
        if (std::popcount(set) < 2)
            continue;
        std::uint16_t all = 0;
        std::uint16_t adjacentOnly = 0;
        for (int a = 1; a <= 4; ++a)
            for (int b = a + 1; b <= 5; ++b)
                if ((set >> (a - 1)) & 1u && (set >> (b - 1)) & 1u) {
                    all |= static_cast<std::uint16_t>(1u << pairIndex(a, b));
                    if (b == a + 1)
                        adjacentOnly |= static_cast<std::uint16_t>(1u << pairIndex(a, b));
                }
        PositionChoice c;
        for (int p = 0; p < 5; ++p)
            c.positions[p] = (set >> p) & 1u;
        c.pairs = all;
        choices.push_back(c);
        if (adjacentOnly != 0 && adjacentOnly != all) {
            c.adjacent = true;
            c.pairs = adjacentOnly;
            choices.push_back(c);
        }
    }
    return choices;
}

WheelRelations::Types typesOf(int typeSet) {
    WheelRelations::Types types{};
    if (typeSet == TutteAlone)
        types[0] = true;
    for (int t = 1; t <= NamedTypes; ++t)
        types[t] = (typeSet >> (t - 1)) & 1;
    return types;
}

// Which named types hold the pair, one bit each.
int pairSignature(int w1, int w2) {
    int sig = 0;
    for (int t = 1; t <= NamedTypes; ++t)
        if (WheelRelations::standard().typeHolds(t, w1, w2))
            sig |= 1 << (t - 1);
    return sig;
}

bool typeSetAdmits(int typeSet, int signature) {
    return typeSet == TutteAlone || (typeSet & signature) != 0;
}

SweepFigures figuresOf(const Totals& t) {
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
    f.p = refinedNormalUpperTail(t.moments, t.positives);
    f.saldo = s.saldo;
    f.resa = s.resa;
    return f;
}

struct Combination {
    int typeSet;
    int choice;
    int colpi;
};

bool betterP(const SweepRow& a, const SweepRow& b) {
    if (a.figures.p != b.figures.p)
        return a.figures.p < b.figures.p;
    return a.figures.z.value_or(-INFINITY) > b.figures.z.value_or(-INFINITY);
}

bool betterResa(const SweepRow& a, const SweepRow& b) {
    const double ra = a.figures.resa.value_or(-INFINITY);
    const double rb = b.figures.resa.value_or(-INFINITY);
    if (ra != rb)
        return ra > rb;
    return betterP(a, b);
}
} // namespace

SweepResult runSweep(const SweepSettings& settings, const DrawArchive& archive,
                     const std::function<void(double)>& progress, const std::atomic<bool>* cancel) {
    SweepResult result;
    auto cancelled = [cancel] { return cancel && cancel->load(std::memory_order_relaxed); };

    // Every pair of wheels and positions: the combinations pick their cases out of these.
    MethodSettings everyCase;
    everyCase.wheels = settings.wheels;
    everyCase.positions.fill(true);
    everyCase.types = {true, false, false, false, false, false, false};
    everyCase.adjacentPositions = false;
    const SearchSettings search = everyCase.search();
    const int last = settings.last > 0 ? settings.last : archive.drawCount();
    std::vector<EqualAmboCase> found = findEqualAmbi(search, archive, last, settings.first);
    const std::size_t n = found.size();
    result.cases = n;
    const double share = 0.8; // of the progress, for following the cases
    const CaseTracks tracks = trackCases(
        std::move(found), K, settings.boxes, settings.stakes, archive, settings.threads,
        [&](std::size_t done) {
            if (progress && n > 0)
                progress(share * static_cast<double>(done) / static_cast<double>(n));
        },
        cancel);
    if (cancelled()) {
        result.cancelled = true;
        return result;
    }

    // Group the cases by part (before / from the split), wheel-pair signature and position pair.
    std::map<int, int> signatureIndex;
    std::vector<int> signatures;
    std::vector<int> casePart(n);
    std::vector<int> caseSignature(n);
    std::vector<int> casePair(n);
    for (std::size_t i = 0; i < n; ++i) {
        const EqualAmboCase& c = tracks.cases[i];
        const int sig = pairSignature(c.wheel1, c.wheel2);
        auto [it, added] = signatureIndex.emplace(sig, static_cast<int>(signatures.size()));
        if (added)
            signatures.push_back(sig);
        caseSignature[i] = it->second;
        casePair[i] = pairIndex(c.position1, c.position2);
        casePart[i] = settings.split > 0 && c.draw >= settings.split ? 1 : 0;
    }
    const int sigCount = static_cast<int>(signatures.size());
    const int parts = settings.split > 0 ? 2 : 1;
    auto groupAt = [&](int part, int sig, int pair, int k) {
        return ((static_cast<std::size_t>(part) * sigCount + sig) * PairCount + pair) * K + (k - 1);
    };
    std::vector<Totals> groups(static_cast<std::size_t>(parts) * sigCount * PairCount * K);
    for (std::size_t i = 0; i < n; ++i) {
        for (int k = 1; k <= K; ++k) {
            Totals& g = groups[groupAt(casePart[i], caseSignature[i], casePair[i], k)];
            g.spent += tracks.spentWithin(i, k);
            g.won += tracks.wonWithin(i, k);
            if (!tracks.completeWithin(i, k))
                continue;
            ++g.complete;
            g.positives += tracks.positiveWithin(i, k) ? 1 : 0;
            g.moments.add(tracks.probabilityWithin(i, k));
        }
    }

    const std::vector<PositionChoice> choices = positionChoices();
    const int choiceCount = static_cast<int>(choices.size());
    // Sums over each position choice's pairs.
    auto choiceAt = [&](int part, int choice, int sig, int k) {
        return ((static_cast<std::size_t>(part) * choiceCount + choice) * sigCount + sig) * K + (k - 1);
    };
    std::vector<Totals> byChoice(static_cast<std::size_t>(parts) * choiceCount * sigCount * K);
    for (int part = 0; part < parts; ++part)
        for (int c = 0; c < choiceCount; ++c)
            for (int sig = 0; sig < sigCount; ++sig)
                for (int k = 1; k <= K; ++k)
                    for (int pair = 0; pair < PairCount; ++pair)
                        if ((choices[c].pairs >> pair) & 1u)
                            byChoice[choiceAt(part, c, sig, k)].add(groups[groupAt(part, sig, pair, k)]);

    std::vector<Combination> combinations;
    std::vector<SweepRow> rows;
    for (int typeSet = 0; typeSet < (1 << NamedTypes); ++typeSet) {
        for (int c = 0; c < choiceCount; ++c) {
            for (int k = 1; k <= K; ++k) {
                std::array<Totals, 2> totals{};
                for (int part = 0; part < parts; ++part)
                    for (int sig = 0; sig < sigCount; ++sig)
                        if (typeSetAdmits(typeSet, signatures[sig]))
                            totals[part].add(byChoice[choiceAt(part, c, sig, k)]);
                SweepRow row;
                row.types = typesOf(typeSet);
                row.positions = choices[c].positions;
                row.adjacentPositions = choices[c].adjacent;
                row.colpi = k;
                row.figures = figuresOf(totals[0]);
                if (parts == 2)
                    row.fuori = figuresOf(totals[1]);
                rows.push_back(row);
                combinations.push_back({typeSet, c, k});
            }
        }
    }
    result.combinations = rows.size();

    std::vector<double> ps(rows.size());
    std::transform(rows.begin(), rows.end(), ps.begin(), [](const SweepRow& row) { return row.figures.p; });
    const std::vector<double> holm = holmAdjusted(ps);
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].pHolm = holm[i];

    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return settings.order == SweepSettings::Order::P ? betterP(rows[a], rows[b])
                                                         : betterResa(rows[a], rows[b]);
    });
    const std::size_t shown =
        settings.primi > 0 ? std::min(order.size(), static_cast<std::size_t>(settings.primi)) : order.size();

    // The exact p-value of each row shown, from the chances of the very cases it sums.
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::mutex progressMutex;
    std::vector<SweepRow> shownRows(shown);
    auto work = [&] {
        std::vector<std::vector<double>> chances(2);
        for (std::size_t r; (r = next.fetch_add(1)) < shown && !cancelled();) {
            const std::size_t index = order[r];
            const Combination& comb = combinations[index];
            SweepRow row = rows[index];
            chances[0].clear();
            chances[1].clear();
            const std::uint16_t pairs = choices[comb.choice].pairs;
            for (std::size_t i = 0; i < n; ++i) {
                if (!tracks.completeWithin(i, comb.colpi) || !((pairs >> casePair[i]) & 1u) ||
                    !typeSetAdmits(comb.typeSet, signatures[caseSignature[i]]))
                    continue;
                chances[casePart[i]].push_back(tracks.probabilityWithin(i, comb.colpi));
            }
            row.figures.pEsatto = poissonBinomialUpperTail(chances[0], row.figures.positivi);
            if (row.fuori)
                row.fuori->pEsatto = poissonBinomialUpperTail(chances[1], row.fuori->positivi);
            shownRows[r] = row;
            const std::size_t total = done.fetch_add(1) + 1;
            if (progress) {
                const std::lock_guard lock(progressMutex);
                progress(share + (1.0 - share) * static_cast<double>(total) / static_cast<double>(shown));
            }
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (int h = 1; h < settings.threads; ++h)
            helpers.emplace_back(work);
        work();
    }
    if (cancelled()) {
        result.cancelled = true;
        return result;
    }
    result.rows = std::move(shownRows);
    return result;
}
