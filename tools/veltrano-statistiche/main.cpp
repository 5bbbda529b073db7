#include "cli/CommandLineError.h"
#include "cli/StatisticheOptions.h"
#include "cli/StatisticheReport.h"
#include "cli/ToolArchive.h"
#include "cli/ToolCommandLine.h"
#include "core/DelayStatistics.h"
#include "core/DrawArchive.h"
#include "core/ProgramVersion.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

namespace {

int badOptions(const QString& error) {
    writeText(stderr,
              QString::fromStdString(commandLineErrorText("veltrano-statistiche", error.toStdString())));
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (answerVersion(argc, argv, "veltrano-statistiche"))
        return 0;
    QCoreApplication app(argc, argv);
    StatisticheParse parsed = parseStatisticheOptions(toolArguments(argc, argv));
    if (!parsed.error.isEmpty())
        return badOptions(parsed.error);
    StatisticheOptions& o = parsed.options;
    if (o.help) {
        writeText(stdout, statisticheUsage());
        return 0;
    }

    auto archive = std::make_unique<DrawArchive>();
    if (!loadToolArchive(*archive, o.archivePath, QStringLiteral("veltrano-statistiche")))
        return 1;
    if (const QString error = resolveStatisticheRange(o, *archive); !error.isEmpty())
        return badOptions(error);

    const QByteArray report = statisticheReport(computeDelayStatistics(o.settings, *archive), o, *archive);
    std::fwrite(report.constData(), 1, static_cast<std::size_t>(report.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
