#include "io/storico/DrawArchiveFile.h"

#include "io/jet/JetDate.h"
#include "io/jet/JetWriter.h"
#include "io/storico/ArchiveCell.h"
#include "io/storico/ArchiveDraws.h"

namespace storico {

void writeDrawArchiveFile(const std::string& path, const std::vector<Draw>& draws, double creationDate,
                          bool markAsSample) {
    jet::TableSpec table;
    table.name = DrawTableName;
    table.columns.push_back({"DataEstrazione", jet::ColumnType::DateTime, 0});
    for (int wheel = 0; wheel < WheelCount; ++wheel)
        table.columns.push_back({archiveColumn(wheel), jet::ColumnType::Text, ArchiveCellLength});

    table.rows.reserve(draws.size());
    for (const auto& draw : draws) {
        std::vector<jet::Value> row;
        row.reserve(1 + WheelCount);
        row.emplace_back(jet::JetDateValue{jet::toJetDate(draw.date.year, draw.date.month, draw.date.day)});
        for (const auto& numbers : draw.wheels) {
            if (numbers)
                row.emplace_back(formatArchiveCell(*numbers));
            else
                row.emplace_back(jet::JetNull{});
        }
        table.rows.push_back(std::move(row));
    }

    jet::DatabaseSpec spec;
    spec.creationDate = creationDate;
    spec.tables.push_back(std::move(table));
    if (markAsSample) {
        jet::TableSpec mark;
        mark.name = SampleMarkTable;
        mark.columns.push_back({SampleMarkColumn, jet::ColumnType::Text, 100});
        mark.rows.push_back({std::string(SampleMarkText)});
        spec.tables.push_back(std::move(mark));
    }
    jet::writeJetDatabase(path, spec);
}

} // namespace storico
