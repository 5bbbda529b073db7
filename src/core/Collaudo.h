#pragma once

#include "core/CaseOutcome.h"
#include "core/CaseTracks.h"
#include "core/EqualAmbi.h"
#include "core/EqualAmboCase.h"
#include "core/MethodSettings.h"
#include "core/OverdueCase.h"
#include "core/Stakes.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>
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

// One case of the back-test with its outcome, its chance and its own balance. The case itself is the
// method's: equalAmbo for the equal ambo, overdue for the overdue number.
struct CollaudoCase {
    int draw = 0; // DrawIndex of the draw the case opens after
    EqualAmboCase equalAmbo;
    OverdueCase overdue;
    QString date;
    CaseOutcome::Esito esito = CaseOutcome::Esito::Negativo;
    int colpo = 0;            // first positive colpo, 0 when none
    double probability = 0.0; // chance of an outcome within its Colpi draws that lie in the archive
    bool complete = false;    // all its Colpi draws lie in the archive
    double spent = 0.0;
    double won = 0.0; // gross
    double withheld = 0.0;
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

// The summary of the tracked cases that `includes` picks (all when empty), as if played with k colpi.
CollaudoSummary summariseTracks(const CaseTracks& tracks, int k,
                                const std::function<bool(std::size_t)>& includes = {});

// z and yield of a summary whose counts are filled.
void completeSummary(CollaudoSummary& s);
