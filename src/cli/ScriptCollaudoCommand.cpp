#include "cli/ScriptCollaudoCommand.h"

#include "cli/CollaudoOptions.h"
#include "cli/CollaudoReport.h"
#include "cli/CommandLineError.h"
#include "cli/ScriptCollaudoOptions.h"
#include "cli/ToolArchive.h"
#include "core/DrawArchive.h"
#include "core/DrawRange.h"
#include "core/SettingsCheck.h"
#include "core/metodi/ScriptCollaudo.h"
#include "core/metodi/ScriptError.h"

#include "io/LocalPath.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <memory>
#include <thread>
#include <unistd.h>

namespace {

const char* const Tool = "veltrano-collaudo";

int badOptions(const QString& error) {
    writeText(stderr, QString::fromStdString(commandLineErrorText(Tool, error.toStdString())));
    return 2;
}

int failed(const QString& message) {
    writeText(stderr, QStringLiteral("%1: %2\n").arg(QLatin1String(Tool), message));
    return 1;
}

// The player's values in the types the method declares; an error text for a name it does not declare or a
// value of the wrong type.
QString typedValues(const ScriptCollaudoOptions& o, const std::vector<ScriptParameter>& declared,
                    std::map<QString, ScriptValue>& values) {
    for (const auto& [name, text] : o.parametri) {
        const auto p = std::find_if(declared.begin(), declared.end(),
                                    [&name = name](const ScriptParameter& d) { return d.nome == name; });
        if (p == declared.end()) {
            QStringList names;
            for (const ScriptParameter& d : declared)
                names << d.nome;
            return QStringLiteral("--parametro: il metodo non dichiara \"%1\" (dichiara: %2)")
                .arg(name, names.isEmpty() ? QStringLiteral("nessun parametro") : names.join(QStringLiteral(", ")));
        }
        const std::optional<ScriptValue> value = p->valueFromText(text);
        if (!value)
            return QStringLiteral("--parametro %1 vuole un numero: \"%2\"").arg(name, text);
        values[name] = *value;
    }
    return {};
}

// A progress line only for a person watching, never into a file or a pipe.
std::function<void(int, int)> examinedProgress() {
    if (!isatty(fileno(stderr)))
        return {};
    return [](int examined, int total) {
        if (examined % 100 == 0 || examined == total) {
            std::fprintf(stderr, "\rEstrazioni esaminate: %d di %d", examined, total);
            std::fflush(stderr);
        }
    };
}

} // namespace

int runScriptCollaudoCommand(const QStringList& arguments) {
    if (arguments.contains(QStringLiteral("--help"))) {
        writeText(stdout, collaudoUsage() + QLatin1Char('\n') + scriptCollaudoUsage());
        return 0;
    }
    ScriptCollaudoParse parsed = parseScriptCollaudoOptions(arguments);
    if (!parsed.error.isEmpty())
        return badOptions(parsed.error);
    const ScriptCollaudoOptions& o = parsed.options;

    // The name as the system has it, whatever its bytes (io/LocalPath.h).
    std::ifstream file(localPath(o.scriptPath).toStdString(), std::ios::binary);
    std::ostringstream bytes;
    if (!file)
        return failed(QStringLiteral("Impossibile leggere il metodo %1").arg(shownPath(o.scriptPath)));
    if (file.peek() != std::ifstream::traits_type::eof())
        bytes << file.rdbuf();
    if (file.bad())
        return failed(QStringLiteral("Impossibile leggere il metodo %1").arg(shownPath(o.scriptPath)));
    const QString source = QString::fromStdString(bytes.str());

    auto archive = std::make_unique<DrawArchive>();
    if (!loadToolArchive(*archive, o.archivePath, QLatin1String(Tool)))
        return 1;
    ScriptRunOptions run;
    if (const QString error = resolveDrawRange(o.range, *archive, run.first, run.last); !error.isEmpty())
        return badOptions(error);
    const int threads = static_cast<int>(std::max(2u, std::thread::hardware_concurrency()));
    try {
        if (const QString error = typedValues(o, scriptParameters(source, *archive), run.parametri); !error.isEmpty())
            return badOptions(error);
        QString report;
        if (o.esplora) {
            ScriptSweepSettings s;
            s.run = run;
            s.order = o.ordina;
            s.primi = o.primi;
            s.threads = threads;
            if (o.fuoriCampione) {
                if (const QString error = outOfSampleError(*archive, run.first, run.last, *o.fuoriCampione);
                    !error.isEmpty())
                    return badOptions(error);
                s.split = firstDrawFrom(*archive, *o.fuoriCampione);
            }
            report = sweepReport(runScriptSweep(source, *archive, s), o.formato);
        } else {
            run.progress = examinedProgress();
            const CollaudoResult result = runScriptCollaudo(source, *archive, run, threads);
            if (run.progress)
                std::fprintf(stderr, "\r%*s\r", 40, "");
            report = collaudoReport(result, o.formato, o.elenco, *archive);
        }
        writeText(stdout, report);
    } catch (const ScriptError& e) {
        return failed(e.message());
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
