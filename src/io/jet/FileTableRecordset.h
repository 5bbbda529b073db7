#pragma once

#include "io/jet/JetDatabase.h"
#include "io/jet/RowLocation.h"
#include "io/jet/TableDefinition.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace jet::engine {

class FileDatabase;
struct PendingText;

// A table-type recordset over a table of a FileDatabase: it lists the table's live rows once and
// again whenever the database changes, keeping its current row.
class FileTableRecordset : public TableRecordset {
public:
    FileTableRecordset(std::shared_ptr<FileDatabase> database, std::string tableName, std::uint32_t page);
    ~FileTableRecordset() override;
    FileTableRecordset(const FileTableRecordset&) = delete;
    FileTableRecordset& operator=(const FileTableRecordset&) = delete;

    void setIndex(const std::string& indexName) override;
    bool seek(const std::string& key) override;
    bool noMatch() const override { return m_noMatch; }
    std::optional<std::string> field(const std::string& column) const override;

    void edit() override;
    void setField(const std::string& column, const std::optional<std::string>& value) override;
    void update() override;

    // Called by the database after it changed the file: re-reads the definition and the rows.
    void refresh();

private:
    const ColumnInfo& column(const std::string& name) const;
    const RowLocation& currentRow() const;

    std::shared_ptr<FileDatabase> m_database;
    std::string m_tableName;
    std::uint32_t m_page = 0;
    TableDefinition m_definition;
    std::vector<RowLocation> m_rows;
    std::optional<std::size_t> m_current;
    std::optional<std::uint16_t> m_keyColumn;
    bool m_noMatch = false;
    bool m_editing = false;
    std::vector<PendingText> m_pending;
};

} // namespace jet::engine
