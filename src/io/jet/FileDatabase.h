#pragma once

#include "io/jet/JetDatabase.h"
#include "io/jet/PageImage.h"
#include "io/jet/RowLocation.h"
#include "io/jet/TableDefinition.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace jet::engine {

class FileTableRecordset;

// A new value for a Text column, as the recordset collected it between edit() and update().
struct PendingText {
    std::string column;
    std::optional<std::string> value;
};

// The program's own Jet 4 database, read whole into memory and parsed by our own code.
class FileDatabase : public JetDatabase {
public:
    static std::shared_ptr<FileDatabase> open(const std::string& path, const std::string& password);

    std::unique_ptr<TableRecordset> openTable(const std::string& name) override;
    std::vector<std::string> tableNames() const override;
    std::vector<std::string> columnNames(const std::string& table) const override;
    const std::string& path() const override { return m_path; }

    const PageImage& image() const { return *m_image; }
    void attach(FileTableRecordset* recordset);
    void detach(FileTableRecordset* recordset);

    // Changes Text columns of one row in the file (read afresh), then refreshes every open recordset.
    // The row must still hold the bytes it has in the image the recordsets read. Throws JetError and
    // leaves the file unchanged on any refusal.
    void updateRow(std::uint32_t tableDefinitionPage, const RowLocation& location,
                   const std::vector<PendingText>& changes);

private:
    struct CatalogEntry {
        std::string name;
        std::uint32_t page = 0;
    };

    FileDatabase(std::string path, std::shared_ptr<const PageImage> image);
    void readCatalog();
    const CatalogEntry& catalogEntry(const std::string& table) const;

    std::string m_path;
    std::shared_ptr<const PageImage> m_image;
    std::vector<CatalogEntry> m_tables;
    std::vector<FileTableRecordset*> m_recordsets;
};

} // namespace jet::engine
