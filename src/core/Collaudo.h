#pragma once

#include "core/CaseOutcome.h"
#include "core/CaseTracks.h"
#include "core/EqualAmbi.h"
#include "core/EqualAmboCase.h"
#include "core/Giocata.h"
#include "core/MethodSettings.h"
#include "core/OverdueCase.h"
#include "core/Stakes.h"

#include <QString>
#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

class DrawArchive;

// The back-test: the method's settings over a range of draws.
struct CollaudoSettings : MethodSettings {
    int first = 1; // DrawIndex of the oldest draw searched
    int last = 0;  // DrawIndex of the most recent draw searched; 0 for the archive's last
    Stakes stakes;
    int threads = 2; // following the cases is shared out; the results do not depend on it

    int lastDraw(const DrawArchive& archive) const { return last > 0 ? last : archive.drawCount(); }
};

// One case of the back-test: the giocata it plays, with its outcome, its chance and its own balance. A
// built-in method's case also keeps the case it came from, for the columns that show it.
struct CollaudoCase {
    using Source = std::variant<std::monostate, EqualAmboCase, OverdueCase>;

    int draw = 0; // DrawIndex of the draw the case opens after
    // What the case plays. A built-in method's back-test leaves it empty and keeps `source`: its tens of
    // thousands of cases would cost more to spell out than to follow; playedGiocata gives it.
    Giocata giocata;
    Source source; // the equal ambo's or the overdue number's case; nothing for any other method
    QString date;
    CaseOutcome::Esito esito = CaseOutcome::Esito::Negativo;
    int colpo = 0;            // first positive colpo, 0 when none
    double probability = 0.0; // chance of an outcome within its Colpi draws that lie in the archive
    bool complete = false;    // all its Colpi draws lie in the archive
    double spent = 0.0;
    double won = 0.0; // gross
    double withheld = 0.0;

    // The built-in case it came from, or an empty one for a case of another method.
    EqualAmboCase equalAmbo() const { return sourceOr<EqualAmboCase>(); }
    OverdueCase overdue() const { return sourceOr<OverdueCase>(); }

private:
    template <typename Case> Case sourceOr() const {
        const Case* c = std::get_if<Case>(&source);
        return c ? *c : Case{};
    }
};

// The comparison with chance is over complete cases; the balance over every case.
struct CollaudoSummary {
    int casi = 0;
    int positivi = 0;
    int negativi = 0;
    int inGioco = 0;
    int casiCompleti = 0;
    int positiviCompleti = 0;
    double attesi = 0.0;     // sum of the complete cases' chance probabilities
    double deviazione = 0.0; // square root of the sum of p(1-p)
    std::optional<double> z; // none when the deviation is 0
    double p = 1.0;          // P[X' >= positiviCompleti], exact
    double spesa = 0.0;
    double vincite = 0.0;
    double ritenuta = 0.0;
    double saldo = 0.0;         // vincite - ritenuta - spesa
    std::optional<double> resa; // saldo / spesa; none when nothing was spent
};

// Complete cases positive by colpo k, and how many chance makes positive by colpo k: both cumulative.
struct CollaudoColpo {
    int colpo = 0;
    int positivi = 0;
    double attesi = 0.0;
};

struct CollaudoResult {
    MethodSettings::Metodo metodo = MethodSettings::Metodo::AmboUguale;
    CollaudoSummary riepilogo;
    std::vector<CollaudoColpo> colpi;
    // Most recent first: for the equal ambo in the ambo window's order, for the overdue number by wheel.
    std::vector<CollaudoCase> casi;
};

// The whole back-test of the settings' method: every draw of the range searched, no case limit.
CollaudoResult runCollaudo(const CollaudoSettings& settings, const DrawArchive& archive);

// What a case of a back-test with these settings plays: its giocata, or for a built-in method's case the
// giocata of its source (core/BuiltinGiocate.h).
Giocata playedGiocata(const CollaudoCase& c, const CollaudoSettings& settings);

// The back-test of giocate from any source (a player's method, a spy number...): each followed by the
// rules of Giocata.h (outcome), GiocataChance.h (chance) and GiocataBets.h (money, with the withholding
// of Payouts.h), as the built-in methods' cases are. The cases are the giocate in the order given: the
// windows and the tools show them as they come, so a source gives them most recent first (by draw), and
// in its own order within one draw. Per-colpo rows run from 1 to the longest colpi among the giocate; a
// giocata with fewer colpi carries its final figures forward (it is complete, positive or not, from its
// own last colpo on). result.metodo is left at its default: the caller names the method it ran.
// threads share out the giocate (the figures do not depend on them); progress (may be empty) gets the
// number of giocate followed so far; a raised cancel flag stops early, with incomplete figures.
// Every giocata opens after a draw 0..the archive's last.
CollaudoResult runGiocate(const std::vector<Giocata>& giocate, const DrawArchive& archive, int threads = 1,
                          const std::function<void(std::size_t)>& progress = {},
                          const std::atomic<bool>* cancel = nullptr);

// What runGiocate reports, from tracks already followed (trackGiocate in CaseTracks.h): a sweep over many
// runs keeps each run's tracks and reads summaries at any colpi with summariseTracks.
CollaudoResult giocateResult(const std::vector<Giocata>& giocate, const CaseTracks& tracks,
                             const DrawArchive& archive);

// The summary of the tracked cases that `includes` picks (all when empty), as if played with k colpi.
CollaudoSummary summariseTracks(const CaseTracks& tracks, int k,
                                const std::function<bool(std::size_t)>& includes = {});

// z and yield of a summary whose counts are filled.
void completeSummary(CollaudoSummary& s);
