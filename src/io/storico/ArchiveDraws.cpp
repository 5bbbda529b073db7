#include "io/storico/ArchiveDraws.h"

#include "io/jet/ArchiveQuery.h"
#include "io/jet/JetDatabase.h"
#include "io/jet/JetDate.h"
#include "io/jet/JetError.h"
#include "io/storico/ArchiveCell.h"
#include "io/storico/StoricoError.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace storico {

const char* const DrawTableName = "EstrazioniLotto";
const char* const SampleMarkTable = "ArchivioDiEsempio";
const char* const SampleMarkColumn = "Nota";
const char* const SampleMarkText = "Estrazioni inventate da veltrano-campione";

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string selectAll(const std::string& table, const std::vector<std::string>& columns) {
    std::string sql = "SELECT ";
    for (std::size_t i = 0; i < columns.size(); ++i)
        sql += (i > 0 ? ", " : "") + table + "." + columns[i];
    return sql + " From " + table + " ORDER BY " + table + "." + columns.front();
}

// "05 12 33 47 90": five numbers 1-90 in two-character fields one blank apart; leading blanks allowed.
std::optional<WheelNumbers> parseCell(const std::string& cell) {
    WheelNumbers numbers{};
    for (int i = 0; i < NumbersPerWheel; ++i) {
        const std::size_t at = static_cast<std::size_t>(3 * i);
        if (at + 2 > cell.size() || (i > 0 && cell[at - 1] != ' '))
            return std::nullopt;
        int value = 0;
        bool digits = false;
        for (std::size_t k = at; k < at + 2; ++k) {
            if (std::isdigit(static_cast<unsigned char>(cell[k]))) {
                value = value * 10 + (cell[k] - '0');
                digits = true;
            } else if (cell[k] != ' ' || digits) {
                return std::nullopt;
            }
        }
        if (!digits || value < 1 || value > 90)
            return std::nullopt;
        numbers[static_cast<std::size_t>(i)] = value;
    }
    if (cell.size() != static_cast<std::size_t>(ArchiveCellLength))
        return std::nullopt;
    return numbers;
}

} // namespace

std::string unreadableArchiveText(const std::string& path, const std::string& reason) {
    return "Archivio illeggibile: " + path + ": " + reason;
}

std::vector<std::string> drawTableColumns() {
    std::vector<std::string> columns{"DataEstrazione"};
    for (int wheel = 0; wheel < WheelCount; ++wheel)
        columns.push_back(archiveColumn(wheel));
    return columns;
}

std::vector<Draw> readArchiveDraws(const std::string& readerProgram, const std::string& path,
                                   const ArchiveReadProgress& progress) {
    std::vector<Draw> draws;
    jet::QueryCallbacks callbacks;
    callbacks.started = [&](int rowCount) {
        draws.reserve(static_cast<std::size_t>(std::max(rowCount, 0)));
        if (progress.started)
            progress.started(rowCount);
    };
    callbacks.row = [&](const std::vector<jet::QueryField>& fields) {
        if (fields.size() != 1 + WheelCount)
            throw StoricoError("l'archivio " + path + " non ha le colonne attese");
        const jet::QueryField& date = fields[0];
        if (date.isNull || !date.isDate || !std::isfinite(date.date))
            throw StoricoError("l'archivio " + path + " ha una riga senza data valida");
        const jet::CivilDateTime day = jet::fromJetDate(date.date);
        Draw draw;
        draw.date = CalendarDate{day.year, day.month, day.day};
        for (int wheel = 0; wheel < WheelCount; ++wheel) {
            const jet::QueryField& cell = fields[static_cast<std::size_t>(1 + wheel)];
            if (cell.isNull || cell.text.empty())
                continue;
            const auto numbers = parseCell(cell.text);
            if (!numbers)
                throw StoricoError("l'archivio " + path +
                                   " ha una cella non valida: " + archiveColumn(wheel) + " del " +
                                   draw.date.programText() + " \"" + cell.text + "\"");
            draw.wheels[static_cast<std::size_t>(wheel)] = *numbers;
        }
        draws.push_back(draw);
        if (progress.rowRead)
            progress.rowRead(static_cast<int>(draws.size()));
    };
    try {
        jet::runArchiveQuery(readerProgram, path, selectAll(DrawTableName, drawTableColumns()), callbacks);
    } catch (const jet::DamagedArchiveError& damage) {
        throw DamagedArchiveError(unreadableArchiveText(path, damage.what()));
    } catch (const jet::JetError& error) {
        throw StoricoError("impossibile leggere l'archivio " + path + ": " + error.what());
    }
    return draws;
}

void checkArchiveHoldsOnlyDraws(const std::string& path) {
    const std::string newArchive =
        "creare un archivio nuovo (veltrano-importa --output, o \"CREA DA STORICO\" nella finestra di avvio)";
    const std::string advice = "; per non perdere nulla " + newArchive;
    std::shared_ptr<jet::JetDatabase> database;
    std::vector<std::string> tables;
    std::vector<std::string> columns;
    try {
        database = jet::JetDatabase::open(path, "");
        tables = database->tableNames();
    } catch (const jet::JetError& error) {
        throw StoricoError("impossibile aprire l'archivio " + path + ": " + error.what());
    }
    for (const auto& table : tables) {
        if (lower(table) == lower(SampleMarkTable))
            throw StoricoError(path +
                               " è l'archivio di esempio (estrazioni inventate): non si aggiorna con le "
                               "estrazioni vere; " +
                               newArchive);
        if (lower(table) != lower(DrawTableName))
            throw StoricoError("l'archivio " + path + " contiene la tabella " + table +
                               ", che l'aggiornamento non riscriverebbe" + advice);
    }
    if (tables.empty())
        throw StoricoError("l'archivio " + path + " non contiene la tabella " + DrawTableName);
    try {
        columns = database->columnNames(DrawTableName);
    } catch (const jet::JetError& error) {
        throw StoricoError("impossibile leggere l'archivio " + path + ": " + error.what());
    }
    const auto expected = drawTableColumns();
    for (const auto& column : columns)
        if (std::none_of(expected.begin(), expected.end(),
                         [&](const std::string& name) { return lower(name) == lower(column); }))
            throw StoricoError("la tabella " + std::string(DrawTableName) + " dell'archivio " + path +
                               " ha la colonna " + column + ", che l'aggiornamento non riscriverebbe" +
                               advice);
    if (columns.size() != expected.size())
        throw StoricoError("la tabella " + std::string(DrawTableName) + " dell'archivio " + path +
                           " non ha tutte le colonne delle ruote");
}

bool isSampleArchive(const std::string& readerProgram, const std::string& path) {
    int rows = 0;
    jet::QueryCallbacks callbacks;
    callbacks.row = [&](const std::vector<jet::QueryField>&) { ++rows; };
    try {
        jet::runArchiveQuery(readerProgram, path, selectAll(SampleMarkTable, {SampleMarkColumn}), callbacks);
    } catch (const jet::JetError&) {
        return false;
    }
    return rows > 0;
}

} // namespace storico
