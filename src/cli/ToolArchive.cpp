#include "cli/ToolArchive.h"

#include "core/DrawArchive.h"
#include "io/ArchiveLoader.h"
#include "io/LocalPath.h"
#include "io/ProgramFolders.h"

#include <QCoreApplication>
#include <exception>

void writeText(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

bool loadToolArchive(DrawArchive& archive, const QString& path, const QString& tool) {
    archive.fillWheelCodesAndDiametral();
    archive.setModelStart(1);
    const QString reader = readerProgramFor(QCoreApplication::applicationDirPath());
    try {
        loadDrawArchive(archive, path, reader, {}, SampleMark::Ignore);
    } catch (const ArchiveDamagedError& e) {
        writeText(stderr, QStringLiteral("%1: %2\n").arg(tool, QString::fromUtf8(e.what())));
        return false;
    } catch (const std::exception& e) {
        writeText(stderr, QStringLiteral("%1: Archivio illeggibile: %2: %3\n")
                              .arg(tool, shownPath(path), QString::fromUtf8(e.what())));
        return false;
    }
    return true;
}
