#include "cli/AnalysisOptions.h"
#include "cli/AnalysisReport.h"
#include "cli/CommandLineError.h"
#include "cli/ToolArchive.h"
#include "cli/ToolCommandLine.h"
#include "core/DrawArchive.h"
#include "core/ProgramVersion.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

namespace {

int badOptions(const QString& error) {
    writeText(stderr, QString::fromStdString(commandLineErrorText("veltrano-analisi", error.toStdString())));
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (answerVersion(argc, argv, "veltrano-analisi"))
        return 0;
    QCoreApplication app(argc, argv);
    const AnalysisParse parsed = parseAnalysisOptions(toolArguments(argc, argv));
    if (!parsed.error.isEmpty())
        return badOptions(parsed.error);
    if (parsed.options.help) {
        writeText(stdout, analysisUsage());
        return 0;
    }

    auto archive = std::make_unique<DrawArchive>();
    if (!loadToolArchive(*archive, parsed.options.archivePath, QStringLiteral("veltrano-analisi")))
        return 1;

    QString report;
    QString notice;
    if (const QString error = runAnalysis(parsed.options, *archive, report, &notice); !error.isEmpty())
        return badOptions(error);
    writeText(stdout, report);
    // The cases are complete as far as they go; the line says where the search gave up.
    if (!notice.isEmpty())
        writeText(stderr, notice + QLatin1Char('\n'));
    return std::fflush(stdout) == 0 ? 0 : 1;
}
