#include "AnalisiOptions.h"
#include "AnalisiRun.h"
#include "ArchiveLoader.h"
#include "DrawArchive.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <memory>

namespace {

void write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

int badOptions(const QString& error) {
    write(stderr, QStringLiteral("veltrano-analisi: %1\n\n").arg(error) + analisiUsage());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const AnalisiParse parsed = parseAnalisiOptions(app.arguments().mid(1));
    if (!parsed.error.isEmpty())
        return badOptions(parsed.error);
    if (parsed.options.help) {
        write(stdout, analisiUsage());
        return 0;
    }

    auto archive = std::make_unique<DrawArchive>();
    archive->fillWheelCodesAndDiametral();
    archive->setModelStart(1); // the model archive plays no part here
    const QString reader =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("veltrano-lettore"));
    try {
        loadDrawArchive(*archive, parsed.options.archivePath, reader);
    } catch (const std::exception& e) {
        write(stderr, QStringLiteral("veltrano-analisi: archivio illeggibile: %1: %2\n")
                          .arg(parsed.options.archivePath, QString::fromUtf8(e.what())));
        return 1;
    }

    QString report;
    QString notice;
    if (const QString error = runAnalisi(parsed.options, *archive, report, &notice); !error.isEmpty())
        return badOptions(error);
    write(stdout, report);
    // The cases are complete as far as they go; the line says where the search gave up.
    if (!notice.isEmpty())
        write(stderr, notice + QLatin1Char('\n'));
    return std::fflush(stdout) == 0 ? 0 : 1;
}
