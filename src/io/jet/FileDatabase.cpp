#include "io/jet/FileDatabase.h"

#include "io/jet/DataPage.h"
#include "io/jet/FileTableRecordset.h"
#include "io/jet/JetError.h"
#include "io/jet/JetHeader.h"
#include "io/jet/RowRewrite.h"
#include "io/jet/SafeFileReplace.h"
#include "io/jet/StoredRow.h"
#include "io/jet/StoredText.h"

#include <algorithm>
#include <cstring>

namespace jet::engine {

namespace {

constexpr std::uint32_t kCatalogPage = 2;
constexpr int kJet4 = 1;
constexpr std::int64_t kTableObject = 1;
constexpr std::uint32_t kSystemObjectFlags = 0x80000002;

std::optional<std::int64_t> integerValue(const StoredRow& row, const ColumnInfo* column) {
    if (column == nullptr) {
        return std::nullopt;
    }
    const std::optional<ByteView> bytes = row.value(*column);
    if (!bytes) {
        return std::nullopt;
    }
    switch (static_cast<StoredType>(column->type)) {
    case StoredType::Byte:
        return bytes->u8(0);
    case StoredType::Int:
        return static_cast<std::int16_t>(bytes->u16(0));
    case StoredType::Long:
        return static_cast<std::int32_t>(bytes->u32(0));
    default:
        return std::nullopt;
    }
}

ByteView rowBytes(const PageImage& image, const RowLocation& location) {
    const DataPage page(image.page(location.page));
    return page.row(location.slot);
}

} // namespace

FileDatabase::FileDatabase(std::string path, std::shared_ptr<const PageImage> image)
    : m_path(std::move(path)), m_image(std::move(image)) {}

std::shared_ptr<FileDatabase> FileDatabase::open(const std::string& path, const std::string& password) {
    const JetHeaderInfo header = readJetHeader(path);
    checkDatabasePassword(path, password);
    if (header.version != kJet4) {
        throw JetError("Il database \"" + path + "\" non è nel formato Access 2000 (Jet 4).");
    }
    if (header.pageEncodingKey != 0) {
        throw JetError("Il database \"" + path +
                       "\" ha le pagine codificate: questa forma di database non è supportata.");
    }
    auto image = std::make_shared<const PageImage>(PageImage::load(path));
    std::shared_ptr<FileDatabase> database(new FileDatabase(path, std::move(image)));
    database->readCatalog();
    return database;
}

void FileDatabase::readCatalog() {
    const PageImage& image = *m_image;
    const TableDefinition catalog = TableDefinition::read(image, kCatalogPage);
    const ColumnInfo* id = catalog.findColumn("Id");
    const ColumnInfo* name = catalog.findColumn("Name");
    const ColumnInfo* type = catalog.findColumn("Type");
    const ColumnInfo* flags = catalog.findColumn("Flags");
    if (id == nullptr || name == nullptr || type == nullptr || !name->isType(StoredType::Text)) {
        throwDamaged(m_path, "catalogo degli oggetti illeggibile");
    }
    for (const RowLocation& location : scanRows(image, catalog)) {
        const StoredRow row(rowBytes(image, location), catalog);
        const std::optional<std::int64_t> objectType = integerValue(row, type);
        const std::optional<std::int64_t> objectId = integerValue(row, id);
        const std::uint32_t objectFlags = static_cast<std::uint32_t>(integerValue(row, flags).value_or(0));
        const std::optional<std::string> objectName = row.text(*name, image);
        if (!objectType || (*objectType & 0x7F) != kTableObject || !objectId || !objectName ||
            (objectFlags & kSystemObjectFlags) != 0) {
            continue;
        }
        m_tables.push_back({*objectName, static_cast<std::uint32_t>(*objectId) & 0x00FFFFFF});
    }
}

const FileDatabase::CatalogEntry& FileDatabase::catalogEntry(const std::string& table) const {
    for (const CatalogEntry& entry : m_tables) {
        if (equalsIgnoringCase(entry.name, table)) {
            return entry;
        }
    }
    throw JetError("La tabella \"" + table + "\" non esiste nel database \"" + m_path + "\".");
}

std::unique_ptr<TableRecordset> FileDatabase::openTable(const std::string& name) {
    const CatalogEntry& entry = catalogEntry(name);
    auto self = std::static_pointer_cast<FileDatabase>(shared_from_this());
    return std::make_unique<FileTableRecordset>(self, entry.name, entry.page);
}

std::vector<std::string> FileDatabase::columnNames(const std::string& table) const {
    std::vector<std::string> names;
    const TableDefinition definition = TableDefinition::read(*m_image, catalogEntry(table).page);
    for (const ColumnInfo& column : definition.columns()) {
        names.push_back(column.name);
    }
    return names;
}

std::vector<std::string> FileDatabase::tableNames() const {
    std::vector<std::string> names;
    for (const CatalogEntry& entry : m_tables) {
        names.push_back(entry.name);
    }
    return names;
}

void FileDatabase::attach(FileTableRecordset* recordset) {
    m_recordsets.push_back(recordset);
}

void FileDatabase::detach(FileTableRecordset* recordset) {
    std::erase(m_recordsets, recordset);
}

void FileDatabase::updateRow(std::uint32_t tableDefinitionPage, const RowLocation& location,
                             const std::vector<PendingText>& changes) {
    PageImage fresh = PageImage::load(m_path);
    const TableDefinition table = TableDefinition::read(fresh, tableDefinitionPage);

    // The row must be where, and what, the recordsets last saw: otherwise someone else changed it.
    const std::vector<RowLocation> rows = scanRows(fresh, table);
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [&](const RowLocation& row) { return row.sameListing(location); });
    const ByteView before = rowBytes(*m_image, location);
    if (found == rows.end() || found->page != location.page || found->slot != location.slot ||
        rowBytes(fresh, location).size() != before.size() ||
        std::memcmp(rowBytes(fresh, location).data(), before.data(), before.size()) != 0) {
        throw JetError("Il record è stato modificato o eliminato da un altro programma: aggiornamento "
                       "annullato.");
    }
    const StoredRow row(rowBytes(fresh, location), table);

    std::vector<ColumnChange> columnChanges;
    for (const PendingText& change : changes) {
        const ColumnInfo* column = table.findColumn(change.column);
        if (column == nullptr || !column->isType(StoredType::Text) || column->isFixed()) {
            throw JetError("Il campo \"" + change.column + "\" non è un campo Testo modificabile.");
        }
        std::optional<std::vector<std::uint8_t>> bytes;
        if (change.value) {
            const std::u16string units = utf8ToUtf16(*change.value);
            const std::size_t maximum = column->length / 2;
            if (units.size() > maximum) {
                throw JetError("Il valore è troppo lungo per il campo \"" + column->name + "\" (al massimo " +
                               std::to_string(maximum) + " caratteri).");
            }
            bytes = encodeStoredText(units, column->compressionAllowed());
        }
        if (table.isIndexed(*column)) {
            // The index pages are not maintained: an indexed column may only keep its value.
            if (row.text(*column, fresh) == change.value) {
                continue;
            }
            throw JetError("Il campo \"" + column->name +
                           "\" fa parte di un indice e non può essere modificato.");
        }
        columnChanges.push_back({column, std::move(bytes)});
    }
    if (columnChanges.empty()) {
        return;
    }

    const std::vector<std::uint8_t> page =
        pageWithRewrittenRow(fresh.page(location.page), location.slot, row, columnChanges);
    fresh.replacePage(location.page, page);
    replaceFileSafely(m_path, fresh.bytes());

    m_image = std::make_shared<const PageImage>(std::move(fresh));
    for (FileTableRecordset* recordset : m_recordsets) {
        recordset->refresh();
    }
}

} // namespace jet::engine
