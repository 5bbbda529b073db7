#include "ArchiveFixtures.h"

#include "core/DrawArchive.h"
#include "io/ArchiveLoader.h"
#include "io/jet/JetDate.h"
#include "io/jet/JetWriter.h"
#include "io/jet/ProgramPassword.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace fixtures {

Draw drawOn(int year, int month, int day, const QString& cell) {
    Draw d;
    d.year = year;
    d.month = month;
    d.day = day;
    for (auto& c : d.cells)
        c = cell;
    return d;
}

void writeArchive(const QString& path, const std::vector<Draw>& draws) {
    jet::TableSpec table;
    table.name = "EstrazioniLotto";
    table.columns.push_back({"DataEstrazione", jet::ColumnType::DateTime, 0});
    for (const char* name : {"Ba", "Ca", "Fi", "Ge", "Mi", "Na", "Pa", "Ro", "To", "Ve", "Nz"})
        table.columns.push_back({name, jet::ColumnType::Text, 14});
    for (const Draw& d : draws) {
        std::vector<jet::Value> row;
        row.emplace_back(jet::JetDateValue{jet::toJetDate(d.year, d.month, d.day)});
        for (const auto& cell : d.cells) {
            if (cell)
                row.emplace_back(cell->toStdString());
            else
                row.emplace_back(jet::JetNull{});
        }
        table.rows.push_back(std::move(row));
    }
    jet::DatabaseSpec spec;
    spec.creationDate = jet::toJetDate(2024, 1, 15);
    spec.tables.push_back(std::move(table));
    jet::writeJetDatabase(path.toStdString(), spec);
}

void writeProgramDatabase(const QString& folder, const ProgramDatabaseContent& content) {
    jet::DatabaseSpec spec;
    spec.password = programDatabasePassword();
    spec.creationDate = jet::toJetDate(2024, 1, 15);

    jet::TableSpec parameters;
    parameters.name = "ParametriProgramma";
    parameters.columns = {{"Parametro", jet::ColumnType::Text, 50},
                          {"Valore1", jet::ColumnType::Text, 255},
                          {"Valore2", jet::ColumnType::Text, 255}};
    parameters.primaryKey = "Parametro";
    auto text = [](const std::optional<QString>& v) -> jet::Value {
        if (v)
            return v->toStdString();
        return jet::JetNull{};
    };
    if (content.estrazioneIniziale)
        parameters.rows.push_back(
            {std::string("EstrazioneIniziale"), text(*content.estrazioneIniziale), jet::JetNull{}});
    if (content.percorsoArchivio)
        parameters.rows.push_back(
            {content.percorsoArchivioKey.toStdString(), text(content.percorsoArchivio), jet::JetNull{}});
    spec.tables.push_back(std::move(parameters));

    const char* others[] = {"Salvataggi", "Giocate",        "Impostazioni",
                            "Operatori",  "PiramidiElenco", "PiramideComposizione"};
    const int count = content.omitLastTable ? 5 : 6;
    for (int i = 0; i < count; ++i) {
        jet::TableSpec t;
        t.name = others[i];
        t.columns = {{"Id", jet::ColumnType::Long, 0}, {"Descrizione", jet::ColumnType::Text, 100}};
        spec.tables.push_back(std::move(t));
    }
    jet::writeJetDatabase(QDir(folder).filePath("DbVeltrano.mdb").toStdString(), spec);
}

QString realHistoryFolder() {
    const QString folder = QStringLiteral(VELTRANO_SHARED_DIR "/data/storico");
    return QDir(folder).exists() ? folder : QString();
}

QString importRealHistory(const QString& folder, QString& error) {
    const QString path = QDir(folder).filePath(QStringLiteral("Dbarcomax.mdb"));
    QProcess import;
    import.start(QStringLiteral(VELTRANO_PROGRAM_DIR "/veltrano-importa"),
                 {QStringLiteral("--output"), path, realHistoryFolder()});
    if (!import.waitForFinished(120000) || import.exitStatus() != QProcess::NormalExit ||
        import.exitCode() != 0) {
        error = QString::fromUtf8(import.readAllStandardError());
        return {};
    }
    return path;
}

std::unique_ptr<DrawArchive> loadRealHistory(QString& error) {
    QTemporaryDir dir;
    if (!dir.isValid()) {
        error = QStringLiteral("no temporary folder");
        return nullptr;
    }
    const QString path = importRealHistory(dir.path(), error);
    if (path.isEmpty())
        return nullptr;
    auto archive = std::make_unique<DrawArchive>();
    archive->fillWheelCodesAndDiametral();
    archive->setModelStart(1);
    loadDrawArchive(*archive, path, QStringLiteral(VELTRANO_PROGRAM_DIR "/veltrano-lettore"));
    return archive;
}

} // namespace fixtures
