#pragma once

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
    std::optional<int> inizio;
    std::optional<int> fine;
    std::optional<QDate> dal;
    std::optional<QDate> al;
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

// Puts the range asked for into settings.first and settings.last: DrawIndex bounds (defaults 1 and
// DrawCount), or dates (the first draw on or after --dal, the last on or before --al). Returns an error
// text for a range outside the archive or with no draw.
QString resolveCollaudoRange(CollaudoOptions& options, const DrawArchive& archive);
