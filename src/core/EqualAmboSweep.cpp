#include "core/CaseTracks.h"
#include "core/ChanceIndex.h"
#include "core/DrawArchive.h"
#include "core/EqualAmbi.h"
#include "core/SweepCombinations.h"
#include "core/SweepTotals.h"

#include <algorithm>
#include <bit>
#include <map>
#include <memory>
#include <thread>

// Named rather than anonymous: in a unity build it shares a translation unit with the other sweep.
namespace equalambosweep {
constexpr int K = SweepSettings::MaxColpi;
constexpr int PairCount = 10;
constexpr int NamedTypes = 6;
constexpr int TutteAlone = 0; // the type set holding "Tutte" alone; the others are masks 1..63

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

// The sums the combinations are made of, kept for the exact p of the rows shown.
struct Sums {
    ChanceIndex index{K};
    std::vector<PositionChoice> choices;
    std::vector<int> signatures;
    int parts = 1;
    // Sums over each position choice's pairs, by part, choice, wheel-pair signature and colpi.
    std::vector<SweepTotals> byChoice;

    std::size_t at(int part, int choice, int sig, int k) const {
        const auto choiceCount = static_cast<std::size_t>(choices.size());
        const auto sigCount = static_cast<std::size_t>(signatures.size());
        return ((static_cast<std::size_t>(part) * choiceCount + static_cast<std::size_t>(choice)) * sigCount +
                static_cast<std::size_t>(sig)) *
                   K +
               static_cast<std::size_t>(k - 1);
    }
    // A combination's sums in each part.
    std::array<SweepTotals, 2> totals(int typeSet, int choice, int k) const {
        std::array<SweepTotals, 2> t{};
        for (int part = 0; part < parts; ++part)
            for (std::size_t sig = 0; sig < signatures.size(); ++sig)
                if (typeSetAdmits(typeSet, signatures[sig]))
                    t[static_cast<std::size_t>(part)].add(
                        byChoice[at(part, choice, static_cast<int>(sig), k)]);
        return t;
    }
};

struct Combination {
    int typeSet;
    int choice;
    int colpi;
};

SweepCombinations combinations(const SweepSettings& settings, const DrawArchive& archive,
                               const std::function<void(double)>& progress, const std::atomic<bool>* cancel) {
    SweepCombinations result;
    auto cancelled = [cancel] { return cancel && cancel->load(std::memory_order_relaxed); };

    // Every pair of wheels and positions: the combinations pick their cases out of these.
    MethodSettings everyCase;
    everyCase.wheels = settings.wheels;
    everyCase.positions.fill(true);
    everyCase.types = {true, false, false, false, false, false, false};
    everyCase.adjacentPositions = false;
    const SearchSettings search = everyCase.search();
    const int last = settings.last > 0 ? settings.last : archive.drawCount();
    const std::vector<EqualAmboCase> found = findEqualAmbi(search, archive, last, settings.first);
    const std::size_t n = found.size();
    result.cases = n;
    const double share = 0.8; // of the progress, for following the cases
    const CaseTracks tracks = trackCases(
        found, K, settings.boxes, settings.stakes, archive, settings.threads,
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
    const auto sums = std::make_shared<Sums>();
    std::map<int, int> signatureIndex;
    std::vector<int> casePart(n);
    std::vector<int> caseSignature(n);
    std::vector<int> casePair(n);
    for (std::size_t i = 0; i < n; ++i) {
        const EqualAmboCase& c = found[i];
        const int sig = pairSignature(c.wheel1, c.wheel2);
        auto [it, added] = signatureIndex.emplace(sig, static_cast<int>(sums->signatures.size()));
        if (added)
            sums->signatures.push_back(sig);
        caseSignature[i] = it->second;
        casePair[i] = pairIndex(c.position1, c.position2);
        casePart[i] = settings.split > 0 && c.draw >= settings.split ? 1 : 0;
    }
    const int sigCount = static_cast<int>(sums->signatures.size());
    const int parts = settings.split > 0 ? 2 : 1;
    sums->parts = parts;
    auto groupAt = [&](int part, int sig, int pair, int k) {
        return ((static_cast<std::size_t>(part) * sigCount + sig) * PairCount + pair) * K + (k - 1);
    };
    std::vector<SweepTotals> groups(static_cast<std::size_t>(parts) * sigCount * PairCount * K);
    ChanceIndex& index = sums->index;
    for (std::size_t i = 0; i < n; ++i)
        for (int k = 1; k <= K; ++k)
            groups[groupAt(casePart[i], caseSignature[i], casePair[i], k)].addCase(
                tracks, i, k,
                tracks.completeWithin(i, k) ? index.note(k, tracks.probabilityWithin(i, k)) : 0);
    index.finish();
    for (int part = 0; part < parts; ++part)
        for (int sig = 0; sig < sigCount; ++sig)
            for (int pair = 0; pair < PairCount; ++pair)
                for (int k = 1; k <= K; ++k)
                    index.renumber(k, groups[groupAt(part, sig, pair, k)].chanceCounts);

    sums->choices = positionChoices();
    const int choiceCount = static_cast<int>(sums->choices.size());
    sums->byChoice.resize(static_cast<std::size_t>(parts) * choiceCount * sigCount * K);
    for (int part = 0; part < parts; ++part)
        for (int c = 0; c < choiceCount; ++c)
            for (int sig = 0; sig < sigCount; ++sig)
                for (int k = 1; k <= K; ++k)
                    for (int pair = 0; pair < PairCount; ++pair)
                        if ((sums->choices[c].pairs >> pair) & 1u)
                            sums->byChoice[sums->at(part, c, sig, k)].add(
                                groups[groupAt(part, sig, pair, k)]);

    // The rows, in a fixed order whatever the threads: type set, position choice, colpi.
    const int typeSets = 1 << NamedTypes;
    const std::size_t perTypeSet = static_cast<std::size_t>(choiceCount) * K;
    auto combinations = std::make_shared<std::vector<Combination>>(typeSets * perTypeSet);
    result.rows.resize(combinations->size());
    std::atomic<int> nextTypeSet{0};
    auto work = [&] {
        for (int typeSet; (typeSet = nextTypeSet.fetch_add(1)) < typeSets && !cancelled();) {
            std::size_t r = static_cast<std::size_t>(typeSet) * perTypeSet;
            for (int c = 0; c < choiceCount; ++c) {
                for (int k = 1; k <= K; ++k, ++r) {
                    const std::array<SweepTotals, 2> totals = sums->totals(typeSet, c, k);
                    SweepRow& row = result.rows[r];
                    row.types = typesOf(typeSet);
                    row.positions = sums->choices[c].positions;
                    row.adjacentPositions = sums->choices[c].adjacent;
                    row.colpi = k;
                    row.figures = sweepFigures(totals[0], index, k);
                    if (parts == 2)
                        row.fuori = sweepFigures(totals[1], index, k);
                    (*combinations)[r] = {typeSet, c, k};
                }
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
    result.chances = [sums, combinations](std::size_t row) {
        const Combination& c = (*combinations)[row];
        const std::array<SweepTotals, 2> totals = sums->totals(c.typeSet, c.choice, c.colpi);
        return std::array<std::vector<ChanceCount>, 2>{sums->index.chances(c.colpi, totals[0].chanceCounts),
                                                       sums->index.chances(c.colpi, totals[1].chanceCounts)};
    };
    if (progress)
        progress(1.0);
    return result;
}

} // namespace equalambosweep

SweepCombinations equalAmboCombinations(const SweepSettings& settings, const DrawArchive& archive,
                                        const std::function<void(double)>& progress,
                                        const std::atomic<bool>* cancel) {
    return equalambosweep::combinations(settings, archive, progress, cancel);
}
