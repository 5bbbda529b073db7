#include "io/jet/FileTableRecordset.h"

#include "io/jet/DataPage.h"
#include "io/jet/FileDatabase.h"
#include "io/jet/JetError.h"
#include "io/jet/StoredRow.h"
#include "io/jet/StoredText.h"

#include <algorithm>

namespace jet::engine {

FileTableRecordset::FileTableRecordset(std::shared_ptr<FileDatabase> database, std::string tableName,
                                       std::uint32_t page)
    : m_database(std::move(database)), m_tableName(std::move(tableName)), m_page(page),
      m_definition(TableDefinition::read(m_database->image(), page)),
      m_rows(scanRows(m_database->image(), m_definition)) {
    if (!m_rows.empty()) {
        m_current = 0;
    }
    m_database->attach(this);
}

FileTableRecordset::~FileTableRecordset() {
    m_database->detach(this);
}

void FileTableRecordset::setIndex(const std::string& indexName) {
    const LogicalIndex* index = m_definition.findIndex(indexName);
    if (index == nullptr) {
        throw JetError("L'indice \"" + indexName + "\" non esiste nella tabella \"" + m_tableName + "\".");
    }
    const auto& real = m_definition.realIndexes();
    if (index->realIndex >= real.size() || real[index->realIndex].columnNumbers.empty() ||
        m_definition.findColumnByNumber(real[index->realIndex].columnNumbers.front()) == nullptr) {
        throwDamaged(m_database->path(), "indice \"" + indexName + "\" senza colonne valide");
    }
    m_keyColumn = real[index->realIndex].columnNumbers.front();
}

bool FileTableRecordset::seek(const std::string& key) {
    if (!m_keyColumn) {
        throw JetError("Nessun indice scelto per la ricerca nella tabella \"" + m_tableName + "\".");
    }
    m_editing = false;
    m_pending.clear();
    const PageImage& image = m_database->image();
    const ColumnInfo* keyColumn = m_definition.findColumnByNumber(*m_keyColumn);
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const StoredRow row(DataPage(image.page(m_rows[i].page)).row(m_rows[i].slot), m_definition);
        const std::optional<std::string> value = row.text(*keyColumn, image);
        if (value && equalsIgnoringCase(*value, key)) {
            m_current = i;
            m_noMatch = false;
            return true;
        }
    }
    m_current.reset();
    m_noMatch = true;
    return false;
}

std::optional<std::string> FileTableRecordset::field(const std::string& name) const {
    const ColumnInfo& info = column(name);
    if (m_editing) {
        for (const PendingText& pending : m_pending) {
            if (pending.column == info.name) {
                return pending.value;
            }
        }
    }
    const RowLocation& location = currentRow();
    const PageImage& image = m_database->image();
    const StoredRow row(DataPage(image.page(location.page)).row(location.slot), m_definition);
    return row.text(info, image);
}

void FileTableRecordset::edit() {
    currentRow();
    m_editing = true;
    m_pending.clear();
}

void FileTableRecordset::setField(const std::string& name, const std::optional<std::string>& value) {
    if (!m_editing) {
        throw JetError("Modifica del campo \"" + name + "\" senza aver chiamato Edit.");
    }
    const ColumnInfo& info = column(name);
    if (!info.isType(StoredType::Text) || info.isFixed()) {
        throw JetError("Il campo \"" + info.name + "\" non è di tipo Testo: non può essere modificato.");
    }
    for (PendingText& pending : m_pending) {
        if (pending.column == info.name) {
            pending.value = value;
            return;
        }
    }
    m_pending.push_back({info.name, value});
}

void FileTableRecordset::update() {
    if (!m_editing) {
        throw JetError("Aggiornamento della tabella \"" + m_tableName + "\" senza aver chiamato Edit.");
    }
    const RowLocation location = currentRow();
    const std::vector<PendingText> changes = m_pending;
    m_database->updateRow(m_page, location, changes);
    m_editing = false;
    m_pending.clear();
}

void FileTableRecordset::refresh() {
    std::optional<RowLocation> current;
    if (m_current) {
        current = m_rows[*m_current];
    }
    m_current.reset();
    try {
        m_definition = TableDefinition::read(m_database->image(), m_page);
        m_rows = scanRows(m_database->image(), m_definition);
    } catch (const JetError&) {
        // The file was just written by us and read back fine; should it not, the recordset is empty.
        m_rows.clear();
        return;
    }
    if (current) {
        const auto found = std::find_if(m_rows.begin(), m_rows.end(),
                                        [&](const RowLocation& row) { return row.sameListing(*current); });
        if (found != m_rows.end()) {
            m_current = static_cast<std::size_t>(found - m_rows.begin());
        }
    }
}

const ColumnInfo& FileTableRecordset::column(const std::string& name) const {
    const ColumnInfo* info = m_definition.findColumn(name);
    if (info == nullptr) {
        throw JetError("Il campo \"" + name + "\" non esiste nella tabella \"" + m_tableName + "\".");
    }
    return *info;
}

const RowLocation& FileTableRecordset::currentRow() const {
    if (!m_current) {
        throw JetError("Nessun record corrente nella tabella \"" + m_tableName + "\".");
    }
    return m_rows[*m_current];
}

} // namespace jet::engine
