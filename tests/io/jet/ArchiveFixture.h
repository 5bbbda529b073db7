#pragma once

#include "io/jet/JetWriter.h"

#include <QDir>
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <vector>

// Draw archives made with our own writer: table EstrazioniLotto, a DATETIME column and one TEXT(14)
// column per wheel.
namespace archive_fixture {

inline const std::array<const char*, 11> kWheelColumns = {"Ba", "Ca", "Fi", "Ge", "Mi", "Na",
                                                          "Pa", "Ro", "To", "Ve", "Nz"};

inline jet::TableSpec drawTable() {
    jet::TableSpec table;
    table.name = "EstrazioniLotto";
    table.columns.push_back({"DataEstrazione", jet::ColumnType::DateTime, 0});
    for (const char* wheel : kWheelColumns)
        table.columns.push_back({wheel, jet::ColumnType::Text, 14});
    return table;
}

// One row: the date, then the eleven cells (std::nullopt for NULL).
inline std::vector<jet::Value> drawRow(double date, const std::array<std::optional<std::string>, 11>& cells) {
    std::vector<jet::Value> row;
    row.push_back(jet::JetDateValue{date});
    for (const auto& cell : cells) {
        if (cell)
            row.push_back(*cell);
        else
            row.push_back(jet::JetNull{});
    }
    return row;
}

// A row whose every wheel holds the same cell: enough to tell rows apart.
inline std::vector<jet::Value> drawRow(double date, const std::string& cell) {
    std::array<std::optional<std::string>, 11> cells;
    cells.fill(cell);
    return drawRow(date, cells);
}

inline std::string writeDatabase(const QDir& dir, const QString& fileName,
                                 std::vector<jet::TableSpec> tables) {
    jet::DatabaseSpec spec;
    spec.creationDate = 45000.5;
    spec.tables = std::move(tables);
    const std::string path = dir.filePath(fileName).toStdString();
    jet::writeJetDatabase(path, spec);
    return path;
}

inline std::string writeArchive(const QDir& dir, std::vector<std::vector<jet::Value>> rows,
                                const QString& fileName = "Dbarcomax.mdb") {
    jet::TableSpec table = drawTable();
    table.rows = std::move(rows);
    return writeDatabase(dir, fileName, {std::move(table)});
}

} // namespace archive_fixture
