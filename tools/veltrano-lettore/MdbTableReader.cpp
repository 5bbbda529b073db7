#include "MdbTableReader.h"

#include "DamagedFile.h"
#include "OwnedPages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <glib.h>
#include <mdbtools.h>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <sys/stat.h>
#include <unordered_map>

namespace {

[[noreturn]] void fail(const std::string& message) {
    throw std::runtime_error(message);
}

bool sameName(const char* a, const std::string& b) {
    gchar* foldedA = g_utf8_casefold(a, -1);
    gchar* foldedB = g_utf8_casefold(b.c_str(), static_cast<gssize>(b.size()));
    const bool same = g_strcmp0(foldedA, foldedB) == 0;
    g_free(foldedA);
    g_free(foldedB);
    return same;
}

struct MdbCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableDefFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

bool isNumeric(int type) {
    switch (type) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
    case MDB_COMPLEX:
        return true;
    default:
        return false;
    }
}

// One column the query needs: selected, ordered by, or both.
struct WantedColumn {
    MdbColumn* column = nullptr;
    int index = 0; // position in the table's column list
    std::vector<char> buffer;
    int length = 0;
};

class TableScan {
public:
    TableScan(const std::string& path, const SelectQuery& query, const MdbTableReader::Reading& reading)
        : m_path(path), m_query(query), m_reading(reading) {}

    std::vector<MdbTableReader::Row> run() {
        openFile();
        openTable();
        OwnedPages::check(m_mdb.get(), m_table.get(), m_fileSize);
        bindColumns();
        return readRows();
    }

private:
    void openFile() {
        struct stat info {};
        if (stat(m_path.c_str(), &info) != 0)
            fail("il file " + m_path + " non esiste o non è accessibile");
        if (S_ISDIR(info.st_mode))
            fail(m_path + " è una cartella, non un archivio delle estrazioni");
        if (!S_ISREG(info.st_mode))
            fail(m_path + " non è un file");
        if (info.st_size == 0)
            fail("il file " + m_path + " è vuoto");
        m_fileSize = static_cast<unsigned long long>(info.st_size);
        m_mdb.reset(mdb_open(m_path.c_str(), MDB_NOFLAGS));
        if (!m_mdb)
            fail("il file " + m_path + " non è un database Access leggibile");
        OwnedPages::checkLength(m_mdb.get(), m_fileSize);
    }

    // The catalog is a table too (its definition on page 2), and libmdb walks its pages without a
    // look at its page map: an empty map makes it crash. Its pages are checked as the table's are.
    void checkCatalogPages() {
        MdbCatalogEntry catalog{};
        catalog.mdb = m_mdb.get();
        catalog.object_type = MDB_TABLE;
        catalog.table_pg = 2;
        std::snprintf(catalog.object_name, sizeof catalog.object_name, "%s", "MSysObjects");
        const std::unique_ptr<MdbTableDef, TableDefFreer> table(mdb_read_table(&catalog));
        if (!table)
            fail("impossibile leggere l'elenco delle tabelle di " + m_path);
        OwnedPages::check(m_mdb.get(), table.get(), m_fileSize);
    }

    void openTable() {
        checkCatalogPages();
        // The catalog is read once: reading it again would free the entry the table points to.
        if (!mdb_read_catalog(m_mdb.get(), MDB_TABLE) || !m_mdb->catalog)
            fail("impossibile leggere l'elenco delle tabelle di " + m_path);
        MdbCatalogEntry* found = nullptr;
        for (unsigned i = 0; i < m_mdb->catalog->len; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(m_mdb->catalog, i));
            if (entry && entry->object_type == MDB_TABLE && sameName(entry->object_name, m_query.table)) {
                found = entry;
                break;
            }
        }
        if (!found)
            fail("la tabella " + m_query.table + " non esiste in " + m_path);
        m_table.reset(mdb_read_table(found));
        if (!m_table)
            fail("impossibile leggere la struttura della tabella " + m_query.table);
        if (!mdb_read_columns(m_table.get()) || !m_table->columns)
            fail("impossibile leggere le colonne della tabella " + m_query.table);
    }

    std::size_t wantedIndex(const std::string& name) {
        for (std::size_t i = 0; i < m_wanted.size(); ++i) {
            if (sameName(m_wanted[i].column->name, name))
                return i;
        }
        for (unsigned i = 0; i < m_table->num_cols && i < m_table->columns->len; ++i) {
            auto* column = static_cast<MdbColumn*>(g_ptr_array_index(m_table->columns, i));
            if (column && sameName(column->name, name)) {
                if (column->col_type == MDB_OLE)
                    fail("la colonna " + name + " contiene oggetti OLE, che non si possono leggere");
                WantedColumn wanted;
                wanted.column = column;
                wanted.index = static_cast<int>(i);
                m_wanted.push_back(std::move(wanted));
                return m_wanted.size() - 1;
            }
        }
        fail("la colonna " + name + " non esiste nella tabella " + m_query.table);
    }

    void bindColumns() {
        for (const std::string& name : m_query.columns)
            m_selected.push_back(wantedIndex(name));
        m_order = wantedIndex(m_query.orderBy);
        // libmdb allocates a bind-sized buffer for every text value it converts: keep its default (ample
        // for TEXT, at most 255 characters) unless a memo needs the room.
        for (const WantedColumn& wanted : m_wanted) {
            if (wanted.column->col_type == MDB_MEMO)
                mdb_set_bind_size(m_mdb.get(), 1 << 18);
        }
        for (WantedColumn& wanted : m_wanted) {
            // Dates are read from their raw double: libmdb's own formatting is wrong before 1899-12-30.
            if (wanted.column->col_type == MDB_DATETIME)
                continue;
            wanted.buffer.assign(m_mdb->bind_size + 1, '\0');
            if (mdb_bind_column(m_table.get(), wanted.index + 1, wanted.buffer.data(), &wanted.length) < 0)
                fail(std::string("impossibile leggere la colonna ") + wanted.column->name);
        }
    }

    // Where the row just fetched lies in the page buffer: offset and length.
    std::pair<int, std::size_t> currentRow() {
        int start = 0;
        std::size_t size = 0;
        if (mdb_find_row(m_mdb.get(), static_cast<int>(m_table->cur_row) - 1, &start, &size) != 0 ||
            (start & 0x1FFF) + size > static_cast<std::size_t>(m_mdb->fmt->pg_size))
            fail("riga danneggiata nella tabella " + m_query.table);
        return {start, size};
    }

    // Two rows with the same bytes (each of the archive's rows carries its own date) come from a page
    // copied over another, or from a page walked twice. Rows are told apart by a 64-bit hash of their
    // bytes: two different rows of a 10,000-row archive share one with a chance near 10^-11.
    void checkSeenOnce(int start, std::size_t size) {
        const std::string_view bytes(reinterpret_cast<const char*>(m_mdb->pg_buf) + (start & 0x1FFF), size);
        const auto [seen, added] =
            m_seenRows.try_emplace(std::hash<std::string_view>{}(bytes), m_table->cur_phys_pg);
        if (!added)
            throw DamagedFile("una riga della tabella " + m_query.table + " compare due volte (pagine " +
                              italianNumber(seen->second) + " e " + italianNumber(m_table->cur_phys_pg) +
                              ")");
    }

    // NULL and "" both bind as an empty value; only the row's null mask tells them apart. The buffers
    // are kept from row to row.
    const std::vector<bool>& nullFlags(int start, std::size_t size) {
        m_nulls.assign(m_table->num_cols, false);
        m_cracked.assign(m_table->num_cols, MdbField{});
        const int count = mdb_crack_row(m_table.get(), start & 0x1FFF, size, m_cracked.data());
        if (count < 0)
            fail("riga danneggiata nella tabella " + m_query.table);
        for (unsigned i = 0; i < m_table->num_cols; ++i) {
            const int column = m_cracked[i].colnum;
            if (column >= 0 && static_cast<unsigned>(column) < m_nulls.size())
                m_nulls[static_cast<std::size_t>(column)] = m_cracked[i].is_null != 0;
        }
        return m_nulls;
    }

    jet::QueryField fieldOf(const WantedColumn& wanted, bool isNull) const {
        jet::QueryField field;
        const MdbColumn* column = wanted.column;
        if (isNull && column->col_type != MDB_BOOL) {
            field.isNull = true;
            return field;
        }
        if (column->col_type == MDB_DATETIME) {
            if (column->cur_value_len != 8 || column->cur_value_start < 0 ||
                column->cur_value_start + 8 > static_cast<int>(sizeof m_mdb->pg_buf))
                fail(std::string("data danneggiata nella colonna ") + column->name);
            field.isDate = true;
            field.date = mdb_get_double(m_mdb->pg_buf, column->cur_value_start);
            return field;
        }
        if (column->col_type == MDB_DOUBLE && column->cur_value_len == 8 && column->cur_value_start >= 0 &&
            column->cur_value_start + 8 <= static_cast<int>(sizeof m_mdb->pg_buf)) {
            // libmdb prints doubles with 16 digits, one short of crossing every value exactly.
            char text[32];
            std::snprintf(text, sizeof text, "%.17g", mdb_get_double(m_mdb->pg_buf, column->cur_value_start));
            field.text = text;
            return field;
        }
        const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(std::max(wanted.length, 0)),
                                                         wanted.buffer.size() - 1);
        field.text.assign(wanted.buffer.data(), length);
        return field;
    }

    static SortKey keyOf(const MdbColumn* column, const jet::QueryField& field) {
        if (field.isNull)
            return SortKey::null();
        if (field.isDate)
            return SortKey::fromNumber(field.date);
        if (isNumeric(column->col_type))
            return SortKey::fromNumber(std::strtod(field.text.c_str(), nullptr));
        return SortKey::fromText(field.text);
    }

    std::vector<MdbTableReader::Row> readRows() {
        std::vector<MdbTableReader::Row> rows;
        const std::size_t expected = m_table->num_rows;
        if (m_reading)
            m_reading(0, expected);
        mdb_rewind_table(m_table.get());
        while (mdb_fetch_row(m_table.get())) {
            if (rows.size() >= MdbTableReader::kMaxRows)
                fail("la tabella " + m_query.table + " ha troppe righe o è danneggiata");
            const auto [start, size] = currentRow();
            checkSeenOnce(start, size);
            const std::vector<bool>& nulls = nullFlags(start, size);
            std::vector<jet::QueryField> values;
            values.reserve(m_wanted.size());
            for (const WantedColumn& wanted : m_wanted)
                values.push_back(fieldOf(wanted, nulls[static_cast<std::size_t>(wanted.index)]));
            MdbTableReader::Row row;
            row.key = keyOf(m_wanted[m_order].column, values[m_order]);
            row.fields.reserve(m_selected.size());
            for (const std::size_t selected : m_selected)
                row.fields.push_back(values[selected]);
            rows.push_back(std::move(row));
            if (m_reading)
                m_reading(rows.size(), expected);
        }
        if (rows.size() != expected)
            throw DamagedFile("la tabella " + m_query.table + " dichiara " + italianNumber(expected) +
                              " righe, ma se ne leggono " + italianNumber(rows.size()));
        std::stable_sort(
            rows.begin(), rows.end(),
            [](const MdbTableReader::Row& a, const MdbTableReader::Row& b) { return a.key < b.key; });
        return rows;
    }

    std::string m_path;
    unsigned long long m_fileSize = 0;
    const SelectQuery& m_query;
    const MdbTableReader::Reading& m_reading;
    std::unique_ptr<MdbHandle, MdbCloser> m_mdb;
    std::unique_ptr<MdbTableDef, TableDefFreer> m_table;
    std::vector<WantedColumn> m_wanted;
    std::vector<std::size_t> m_selected;
    std::size_t m_order = 0;
    std::vector<bool> m_nulls;
    std::vector<MdbField> m_cracked;
    std::unordered_map<std::size_t, unsigned long> m_seenRows; // a hash of the row's bytes: its page
};

} // namespace

std::vector<MdbTableReader::Row> MdbTableReader::read(const std::string& path, const SelectQuery& query,
                                                      const Reading& reading) {
    return TableScan(path, query, reading).run();
}
