#pragma once

#include "cli/DrawRangeOptions.h"
#include "cli/TableWriter.h"
#include "core/DelayStatistics.h"

#include <QString>
#include <QStringList>

class DrawArchive;

// The command line of veltrano-statistiche: the archive, the sorte, the wheels, the range, the order,
// how many rows and the output format.
struct StatisticheOptions {
    QString archivePath;
    DelaySettings settings; // the range is resolved on the archive
    DrawRangeOptions range;
    DelayOrder ordina = DelayOrder::Ritardo;
    int primi = 30; // 0 for every item
    TableFormat formato = TableFormat::Tsv;
    bool help = false;
};

struct StatisticheParse {
    StatisticheOptions options;
    QString error; // empty when the command line is good
};

// Reads the arguments after the program name.
StatisticheParse parseStatisticheOptions(const QStringList& arguments);

// The usage text shown by --help and after a bad option, with the definitions of the figures.
QString statisticheUsage();

// Puts the range asked for into settings.first and settings.last (see resolveDrawRange).
QString resolveStatisticheRange(StatisticheOptions& options, const DrawArchive& archive);
