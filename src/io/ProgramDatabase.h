#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace jet {
class JetDatabase;
class TableRecordset;
} // namespace jet

// The program's own database, DbVeltrano.mdb in the data folder (io/ProgramFolders.h): its seven tables are
// opened at start-up and stay open for the run; ParametriProgramma holds the archive path and the first draw
// of the model archive. PercorsoDatabase.txt records the archive path for other programs.
class ProgramDatabase {
public:
    explicit ProgramDatabase(QString dataFolder);
    ~ProgramDatabase();

    static const char* const TableNames[7];

    // Opens the database with the program's password and its seven tables, in order. Throws
    // jet::JetError (the engine's message) when the file cannot be opened or a table is missing.
    void open();
    // Lets go of the tables and the file.
    void close();

    // Seeks the parameter row by its name (case-insensitive); nullopt when there is no such row.
    // A row whose Valore1 holds no value is a failure (jet::JetError).
    std::optional<QString> readParameter(const QString& name);

    // Stores the archive path in the "percorsoarchivio" row; returns false when there is no such row
    // (nothing is written then). Throws jet::JetError when the update fails.
    bool writeArchivePath(const QString& path);

    // Rewrites PercorsoDatabase.txt whole or not at all: one line, the path in double quotes, CR LF.
    // Throws std::runtime_error on failure.
    void writePathFile(const QString& path) const;

    // The start-up probe of a draw archive: only our own header and password check, so that a bad file
    // cannot crash the program. Returns false when the file cannot be opened with the program's password.
    static bool probeArchive(const QString& path);

    QString databasePath() const;
    QString pathFilePath() const;

private:
    QString m_folder;
    std::shared_ptr<jet::JetDatabase> m_database;
    std::vector<std::unique_ptr<jet::TableRecordset>> m_tables;
};
