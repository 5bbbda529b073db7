#include "cli/CommandLineError.h"
#include "cli/SpiaOptions.h"
#include "cli/SpiaReport.h"
#include "cli/ToolArchive.h"
#include "core/DrawArchive.h"
#include "core/ProgramVersion.h"
#include "core/SpyTable.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

namespace {

int badOptions(const QString& error) {
    writeText(stderr, QString::fromStdString(commandLineErrorText("veltrano-spia", error.toStdString())));
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (answerVersion(argc, argv, "veltrano-spia"))
        return 0;
    QCoreApplication app(argc, argv);
    SpiaParse parsed = parseSpiaOptions(app.arguments().mid(1));
    if (!parsed.error.isEmpty())
        return badOptions(parsed.error);
    SpiaOptions& o = parsed.options;
    if (o.help) {
        writeText(stdout, spiaUsage());
        return 0;
    }

    auto archive = std::make_unique<DrawArchive>();
    if (!loadToolArchive(*archive, o.archivePath, QStringLiteral("veltrano-spia")))
        return 1;
    if (const QString error = resolveSpiaRange(o, *archive); !error.isEmpty())
        return badOptions(error);

    const std::vector<SpyTable> tables = o.tutteLeSpie ? computeSpyMap(o.settings, *archive)
                                                       : std::vector<SpyTable>{computeSpyTable(o.settings, *archive)};
    const QByteArray report = spiaReport(tables, o, *archive);
    std::fwrite(report.constData(), 1, static_cast<std::size_t>(report.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
