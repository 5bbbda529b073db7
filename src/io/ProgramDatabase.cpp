#include "io/ProgramDatabase.h"

#include "io/FileErrorText.h"

#include "io/jet/JetDatabase.h"
#include "io/jet/JetError.h"
#include "io/jet/JetHeader.h"
#include "io/jet/ProgramPassword.h"

#include <QDir>
#include <QSaveFile>
#include <cerrno>
#include <stdexcept>

const char* const ProgramDatabase::TableNames[7] = {"ParametriProgramma",  "Salvataggi", "Giocate",
                                                    "Impostazioni",        "Operatori",  "PiramidiElenco",
                                                    "PiramideComposizione"};

ProgramDatabase::ProgramDatabase(QString dataFolder) : m_folder(std::move(dataFolder)) {}

ProgramDatabase::~ProgramDatabase() = default;

QString ProgramDatabase::databasePath() const {
    return QDir(m_folder).filePath("DbVeltrano.mdb");
}

QString ProgramDatabase::pathFilePath() const {
    return QDir(m_folder).filePath("PercorsoDatabase.txt");
}

void ProgramDatabase::open() {
    m_tables.clear();
    m_database = jet::JetDatabase::open(databasePath().toStdString(), programDatabasePassword());
    for (const char* name : TableNames)
        m_tables.push_back(m_database->openTable(name));
}

void ProgramDatabase::close() {
    m_tables.clear();
    m_database.reset();
}

std::optional<QString> ProgramDatabase::readParameter(const QString& name) {
    if (m_tables.empty())
        throw jet::JetError("il database del programma non è aperto");
    jet::TableRecordset& parameters = *m_tables.front();
    parameters.setIndex("PrimaryKey");
    if (!parameters.seek(name.toStdString()))
        return std::nullopt;
    const std::optional<std::string> value = parameters.field("Valore1");
    if (!value)
        throw jet::JetError("il parametro \"" + name.toStdString() +
                            "\" non ha alcun valore (Valore1 è Null)");
    return QString::fromStdString(*value);
}

bool ProgramDatabase::writeArchivePath(const QString& path) {
    if (m_tables.empty())
        throw jet::JetError("il database del programma non è aperto");
    jet::TableRecordset& parameters = *m_tables.front();
    parameters.setIndex("PrimaryKey");
    if (!parameters.seek("percorsoarchivio"))
        return false;
    parameters.edit();
    parameters.setField("Valore1", path.toStdString());
    parameters.update();
    return true;
}

void ProgramDatabase::writePathFile(const QString& path) const {
    // QSaveFile writes beside the target and renames over it only when everything was written.
    QSaveFile file(pathFilePath());
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(fileErrorText(file.error(), errno).toStdString());
    const QByteArray line = "\"" + path.toLocal8Bit() + "\"\r\n";
    if (file.write(line) != line.size() || !file.commit())
        throw std::runtime_error(fileErrorText(file.error(), errno).toStdString());
}

bool ProgramDatabase::probeArchive(const QString& path) {
    if (path.isEmpty())
        return false;
    try {
        jet::checkDatabasePassword(path.toStdString(), programDatabasePassword());
        return true;
    } catch (const jet::JetError&) {
        return false;
    }
}
