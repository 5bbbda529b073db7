#pragma once

#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class DrawArchive;

// Small hand-made databases for the tests, written with the program's own Jet writer.
namespace fixtures {

struct Draw {
    int year = 2021;
    int month = 1;
    int day = 1;
    // One cell per wheel Ba..Nz, as stored in the archive ("05 12 33 47 90"); nullopt is NULL.
    std::array<std::optional<QString>, 11> cells{};
};

// A draw whose eleven wheels all hold the same five numbers.
Draw drawOn(int year, int month, int day, const QString& cell = QStringLiteral("05 12 33 47 90"));

// An archive file with table EstrazioniLotto, the rows in the order given.
void writeArchive(const QString& path, const std::vector<Draw>& draws);

struct ProgramDatabaseContent {
    std::optional<QString> percorsoArchivio = QString(); // nullopt: no row
    std::optional<std::optional<QString>> estrazioneIniziale = std::optional<QString>(QStringLiteral("1"));
    QString percorsoArchivioKey = QStringLiteral("PercorsoArchivio");
    bool omitLastTable = false;
};

// DbVeltrano.mdb in folder, with the program's password.
void writeProgramDatabase(const QString& folder, const ProgramDatabaseContent& content = {});

// The real draw history beside the project (../shared/data/storico); empty when it is not there.
QString realHistoryFolder();

// Imports the real history with the program folder's veltrano-importa into folder/Dbarcomax.mdb and
// returns that path; empty, with the tool's complaint in `error`, when the import fails.
QString importRealHistory(const QString& folder, QString& error);

// The real history imported into a temporary archive and loaded through the program folder's reader, as
// the program loads an archive; null, with the reason in `error`, when that fails.
std::unique_ptr<DrawArchive> loadRealHistory(QString& error);

} // namespace fixtures
