#include "io/ProgramFolders.h"

#include "io/FileErrorText.h"

#include "io/ProgramDatabase.h"
#include "io/jet/JetError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <stdexcept>

namespace {

const QString kSampleArchive = QStringLiteral("Dbarcomax.mdb");

[[noreturn]] void fail(const QString& text) {
    throw std::runtime_error(text.toStdString());
}

} // namespace

QString programFilesFolder(const QString& executableFolder) {
    const QString installed = QDir::cleanPath(executableFolder + QStringLiteral("/../lib/veltrano"));
    return QFileInfo(installed).isDir() ? installed : executableFolder;
}

QString readerProgramFor(const QString& executableFolder) {
    return QDir(programFilesFolder(executableFolder)).filePath(QStringLiteral("veltrano-lettore"));
}

QString chooseDataFolder(const DataFolderSetting& setting) {
    // Under /usr the files belong to the package manager, even for root, who may write there.
    const QString files = QDir::cleanPath(setting.filesFolder);
    const bool packaged =
        files.startsWith(QStringLiteral("/usr/")) && !files.startsWith(QStringLiteral("/usr/local/"));
    if (setting.filesFolderWritable && !packaged)
        return setting.filesFolder;
    // A relative XDG_DATA_HOME is ignored, as the freedesktop base directory rules say.
    const QString base = QDir::isAbsolutePath(setting.xdgDataHome)
                             ? setting.xdgDataHome
                             : QDir(setting.home).filePath(QStringLiteral(".local/share"));
    return QDir::cleanPath(base + QStringLiteral("/veltrano"));
}

void prepareDataFolder(const QString& filesFolder, const QString& dataFolder) {
    if (QDir::cleanPath(dataFolder) == QDir::cleanPath(filesFolder))
        return;
    if (!QDir().mkpath(dataFolder))
        fail(QStringLiteral("Impossibile creare la cartella dei dati %1").arg(dataFolder));
    ProgramDatabase database(dataFolder);
    if (QFileInfo::exists(database.databasePath()))
        return;

    // The copy is made and pointed at the sample archive in a folder of its own, then renamed into
    // place: a start cut short leaves no half-made database behind to be kept.
    const QString templatePath = ProgramDatabase(filesFolder).databasePath();
    errno = 0;
    QTemporaryDir staging(QDir(dataFolder).filePath(QStringLiteral(".nuovo-XXXXXX")));
    if (!staging.isValid())
        fail(QStringLiteral("Impossibile scrivere nella cartella dei dati %1: %2")
                 .arg(dataFolder, fileErrorText(QFileDevice::OpenError, errno)));
    ProgramDatabase copy(staging.path());
    if (!QFile::copy(templatePath, copy.databasePath()))
        fail(QStringLiteral("Impossibile copiare il database del programma %1 in %2")
                 .arg(templatePath, dataFolder));
    // The installed template is read-only; the user's copy is theirs to change.
    QFile::setPermissions(copy.databasePath(),
                          QFile::permissions(copy.databasePath()) | QFile::ReadOwner | QFile::WriteOwner);
    const QString sampleArchive = QDir(filesFolder).filePath(kSampleArchive);
    bool pointed = false;
    try {
        copy.open();
        pointed = copy.writeArchivePath(sampleArchive);
    } catch (const jet::JetError& e) {
        fail(QStringLiteral("Impossibile preparare il database del programma in %1: %2")
                 .arg(dataFolder, QString::fromUtf8(e.what())));
    }
    if (!pointed)
        fail(QStringLiteral("Nel database del programma %1 manca il parametro PercorsoArchivio")
                 .arg(templatePath));
    copy.close();
    if (!QFile::rename(copy.databasePath(), database.databasePath()))
        fail(QStringLiteral("Impossibile scrivere %1").arg(database.databasePath()));
    try {
        database.writePathFile(sampleArchive);
    } catch (const std::runtime_error& e) {
        fail(QStringLiteral("Impossibile scrivere %1: %2")
                 .arg(database.pathFilePath(), QString::fromUtf8(e.what())));
    }
}

QString userDataFolder(const QString& filesFolder) {
    const QString folder = chooseDataFolder({filesFolder, QFileInfo(filesFolder).isWritable(),
                                             qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath()});
    prepareDataFolder(filesFolder, folder);
    return folder;
}
