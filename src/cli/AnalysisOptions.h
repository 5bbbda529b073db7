#pragma once

#include "cli/TableWriter.h"
#include "core/DrawArchive.h"
#include "core/DrawRange.h"
#include "core/MethodSettings.h"
#include "core/WheelRelations.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The command line of veltrano-analisi: the archive and the parameters the ambo window offers.
struct AnalysisOptions {
    QString archivePath;
    std::optional<int> inizio; // DrawIndex; the window's load default when absent
    std::optional<int> fine;
    std::array<bool, WheelCount> ruote = MethodSettings().wheels;
    std::array<bool, PositionCount> posizioni = MethodSettings().positions;
    WheelRelations::Types tipi = MethodSettings().types;
    bool posizioniAdiacenti = MethodSettings().adjacentPositions;
    int colpi = MethodSettings().colpi;
    int casi = MethodSettings::Casi;
    bool intervallo = false;
    bool ambata = true;
    bool treAmbi = true;
    bool quartina = true;
    bool tutte = true;
    TableFormat formato = TableFormat::Tsv;
    bool help = false;
};

struct AnalysisParse {
    AnalysisOptions options;
    QString error; // empty when the command line is good
};

// Reads the arguments after the program name.
AnalysisParse parseAnalysisOptions(const QStringList& arguments);

// The usage text shown by --help and after a bad option.
QString analysisUsage();

// The range as the window's scroll bars would take it: the load default first, then the bounds asked
// for, each dragging the other when it passes it. Returns an error text for a bound outside 1..DrawCount
// or a start after the end, both given.
QString resolveAnalysisRange(const AnalysisOptions& options, const DrawArchive& archive, DrawRange& range);
