#include "cli/CollaudoOptions.h"
#include "cli/CollaudoReport.h"
#include "cli/CommandLineError.h"
#include "cli/ScriptCollaudoCommand.h"
#include "cli/ScriptCollaudoOptions.h"
#include "cli/ToolArchive.h"
#include "cli/ToolCommandLine.h"
#include "core/Collaudo.h"
#include "core/DrawArchive.h"
#include "core/DrawRange.h"
#include "core/ProgramVersion.h"
#include "core/SettingsCheck.h"
#include "core/Sweep.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>
#include <thread>
#include <unistd.h>

namespace {

int badOptions(const QString& error) {
    writeText(stderr, QString::fromStdString(commandLineErrorText("veltrano-collaudo", error.toStdString())));
    return 2;
}

QString explore(const CollaudoOptions& o, const DrawArchive& archive, QString& error) {
    SweepSettings s;
    s.metodo = o.settings.metodo;
    s.wheels = o.settings.wheels;
    s.boxes = o.settings.boxes;
    s.stakes = o.settings.stakes;
    s.first = o.settings.first;
    s.last = o.settings.last;
    s.order = o.ordina;
    s.primi = o.primi;
    s.threads = static_cast<int>(std::max(2u, std::thread::hardware_concurrency()));
    if (o.fuoriCampione) {
        error = outOfSampleError(archive, s.first, s.last, *o.fuoriCampione);
        if (!error.isEmpty())
            return {};
        s.split = firstDrawFrom(archive, *o.fuoriCampione);
    }
    // A progress line only for a person watching, never into a file or a pipe.
    std::function<void(double)> progress;
    int shown = -1;
    if (isatty(fileno(stderr)))
        progress = [&shown](double share) {
            const int percent = static_cast<int>(share * 100.0);
            if (percent == shown)
                return;
            shown = percent;
            std::fprintf(stderr, "\rEsplorazione: %3d %%", percent);
            std::fflush(stderr);
        };
    const SweepResult result = runSweep(s, archive, progress);
    if (progress)
        std::fprintf(stderr, "\r%*s\r", 20, "");
    return sweepReport(result, o.formato);
}

} // namespace

int main(int argc, char** argv) {
    if (answerVersion(argc, argv, "veltrano-collaudo"))
        return 0;
    QCoreApplication app(argc, argv);
    const QStringList arguments = toolArguments(argc, argv);
    if (asksForScript(arguments))
        return runScriptCollaudoCommand(arguments);
    CollaudoParse parsed = parseCollaudoOptions(arguments);
    if (!parsed.error.isEmpty())
        return badOptions(parsed.error);
    CollaudoOptions& o = parsed.options;
    if (o.help) {
        writeText(stdout, collaudoUsage() + QLatin1Char('\n') + scriptCollaudoUsage());
        return 0;
    }

    auto archive = std::make_unique<DrawArchive>();
    if (!loadToolArchive(*archive, o.archivePath, QStringLiteral("veltrano-collaudo")))
        return 1;
    if (const QString error = resolveCollaudoRange(o, *archive); !error.isEmpty())
        return badOptions(error);

    QString report;
    if (o.esplora) {
        QString error;
        report = explore(o, *archive, error);
        if (!error.isEmpty())
            return badOptions(error);
    } else {
        report = collaudoReport(runCollaudo(o.settings, *archive), o.formato, o.elenco, *archive);
    }
    writeText(stdout, report);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
