#pragma once

#include "cli/DrawRangeOptions.h"
#include "cli/TableWriter.h"
#include "core/Sweep.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

// veltrano-collaudo with a player's method: --script FILE, its parameters (--parametro nome=valore, any
// number of times), the range, the output and the sweep. The built-in method's settings do not apply.
struct ScriptCollaudoOptions {
    QString archivePath;
    QString scriptPath;
    std::vector<std::pair<QString, QString>> parametri; // as written, in order
    DrawRangeOptions range;
    TableFormat formato = TableFormat::Tsv;
    bool elenco = false;
    bool esplora = false;
    SweepSettings::Order ordina = SweepSettings::Order::P;
    int primi = 30;
    std::optional<QDate> fuoriCampione;
};

struct ScriptCollaudoParse {
    ScriptCollaudoOptions options;
    QString error; // empty when the command line is good
};

// Whether the arguments ask for a player's method.
bool asksForScript(const QStringList& arguments);

// Reads the arguments after the program name.
ScriptCollaudoParse parseScriptCollaudoOptions(const QStringList& arguments);

// The lines of --help on a player's method.
QString scriptCollaudoUsage();
