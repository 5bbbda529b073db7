#pragma once

#include "cli/DrawRangeOptions.h"
#include "cli/TableWriter.h"
#include "core/Collaudo.h"
#include "core/Sweep.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

class DrawArchive;

// The command line of veltrano-collaudo: the archive, the method's settings, the range, the stakes, the
// output, and the sweep.
struct CollaudoOptions {
    QString archivePath;
    CollaudoSettings settings; // the range is resolved on the archive
    DrawRangeOptions range;
    TableFormat formato = TableFormat::Tsv;
    bool elenco = false;
    bool esplora = false;
    SweepSettings::Order ordina = SweepSettings::Order::P;
    int primi = 30;
    std::optional<QDate> fuoriCampione;
    bool help = false;
};

struct CollaudoParse {
    CollaudoOptions options;
    QString error; // empty when the command line is good
};

// Reads the arguments after the program name.
CollaudoParse parseCollaudoOptions(const QStringList& arguments);

// The usage text shown by --help and after a bad option, with the definitions of the figures.
QString collaudoUsage();

// Puts the range asked for into settings.first and settings.last (see resolveDrawRange).
QString resolveCollaudoRange(CollaudoOptions& options, const DrawArchive& archive);
