#pragma once

#include "cli/DrawRangeOptions.h"
#include "cli/TableWriter.h"
#include "core/SpyTable.h"

#include <QString>
#include <QStringList>

class DrawArchive;

// The command line of veltrano-spia: the archive, the spy and its wheel (or every spy), the followers'
// wheel, the colpi, the range, how many rows and the output format.
struct SpiaOptions {
    QString archivePath;
    SpySettings settings; // the range is resolved on the archive
    DrawRangeOptions range;
    bool tutteLeSpie = false;
    int primi = 20; // 0 for every row
    TableFormat formato = TableFormat::Tsv;
    bool help = false;
};

struct SpiaParse {
    SpiaOptions options;
    QString error; // empty when the command line is good
};

// Reads the arguments after the program name.
SpiaParse parseSpiaOptions(const QStringList& arguments);

// The usage text shown by --help, with the definitions of the figures.
QString spiaUsage();

// Puts the range asked for into settings.first and settings.last (see resolveDrawRange).
QString resolveSpiaRange(SpiaOptions& options, const DrawArchive& archive);
