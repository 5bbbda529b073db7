#pragma once

#include "io/jet/JetBytes.h"
#include "io/jet/JetWriter.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <mdbtools.h>
#include <optional>
#include <set>
#include <string>
#include <vector>

// Reading our writer's files back through libmdb and the mdbtools command-line programs, and a few
// raw page reads for what neither of them looks at.
namespace writertest {

struct Cell {
    bool isNull = false;
    std::string text;              // as libmdb formats it
    std::vector<std::uint8_t> raw; // the stored bytes
};

struct ColumnInfo {
    std::string name;
    int type = 0;
    int size = 0;
};

struct IndexInfo {
    std::string name;
    int type = 0;                // 1 primary key
    std::vector<int> keyColumns; // 1-based
    unsigned flags = 0;
    std::uint32_t firstPage = 0;
};

struct TableContent {
    bool found = false;
    std::vector<ColumnInfo> columns;
    std::vector<std::vector<Cell>> rows;
    std::vector<std::pair<std::uint32_t, int>> locations; // data page and row of each row
    unsigned declaredRows = 0;                            // the row count the definition holds
    std::vector<IndexInfo> indexes;
};

inline std::vector<std::string> libmdbUserTables(const std::string& path) {
    std::vector<std::string> names;
    MdbHandle* mdb = mdb_open(path.c_str(), MDB_NOFLAGS);
    if (!mdb)
        return names;
    if (mdb_read_catalog(mdb, MDB_TABLE)) {
        for (unsigned i = 0; i < mdb->num_catalog; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (mdb_is_user_table(entry))
                names.emplace_back(entry->object_name);
        }
    }
    mdb_close(mdb);
    return names;
}

inline TableContent readWithLibmdb(const std::string& path, const std::string& table) {
    TableContent out;
    MdbHandle* mdb = mdb_open(path.c_str(), MDB_NOFLAGS);
    if (!mdb)
        return out;
    mdb_set_bind_size(mdb, 4096);
    // Read the catalog once: every later lookup by name would free the entries read before.
    if (!mdb_read_catalog(mdb, MDB_TABLE)) {
        mdb_close(mdb);
        return out;
    }
    MdbCatalogEntry* entry = nullptr;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (table == e->object_name)
            entry = e;
    }
    MdbTableDef* t = entry ? mdb_read_table(entry) : nullptr;
    if (!t) {
        mdb_close(mdb);
        return out;
    }
    out.found = true;
    out.declaredRows = t->num_rows;
    mdb_read_columns(t);
    mdb_read_indices(t);
    for (unsigned i = 0; i < t->num_idxs; ++i) {
        auto* idx = static_cast<MdbIndex*>(g_ptr_array_index(t->indices, i));
        IndexInfo info{idx->name, idx->index_type, {}, idx->flags, idx->first_pg};
        for (unsigned k = 0; k < idx->num_keys; ++k)
            info.keyColumns.push_back(idx->key_col_num[k]);
        out.indexes.push_back(info);
    }
    const unsigned n = t->num_cols;
    std::vector<std::vector<char>> buffers(n, std::vector<char>(4096));
    std::vector<int> lengths(n, 0);
    for (unsigned c = 0; c < n; ++c) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(t->columns, c));
        out.columns.push_back({col->name, col->col_type, col->col_size});
        mdb_bind_column(t, static_cast<int>(c + 1), buffers[c].data(), &lengths[c]);
    }
    std::vector<MdbField> fields(n);
    mdb_rewind_table(t);
    while (mdb_fetch_row(t)) {
        std::vector<Cell> row(n);
        for (unsigned c = 0; c < n; ++c) {
            auto* col = static_cast<MdbColumn*>(g_ptr_array_index(t->columns, c));
            row[c].text.assign(buffers[c].data(), static_cast<std::size_t>(lengths[c]));
            const auto* start = static_cast<const std::uint8_t*>(mdb->pg_buf) + col->cur_value_start;
            row[c].raw.assign(start, start + col->cur_value_len);
        }
        int start = 0;
        size_t size = 0;
        mdb_find_row(mdb, static_cast<int>(t->cur_row) - 1, &start, &size);
        mdb_crack_row(t, start & 0x1FFF, size, fields.data());
        for (unsigned c = 0; c < n; ++c)
            row[c].isNull = fields[c].is_null;
        out.locations.emplace_back(t->cur_phys_pg, static_cast<int>(t->cur_row) - 1);
        out.rows.push_back(std::move(row));
    }
    mdb_free_tabledef(t);
    mdb_close(mdb);
    return out;
}

inline int columnIndex(const TableContent& t, const std::string& name) {
    for (std::size_t i = 0; i < t.columns.size(); ++i)
        if (t.columns[i].name == name)
            return static_cast<int>(i);
    return -1;
}

struct CommandResult {
    bool started = false;
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline CommandResult runCommand(const QString& program, const QStringList& arguments) {
    CommandResult result;
    QProcess process;
    process.start(program, arguments);
    result.started = process.waitForStarted(10000);
    if (!result.started)
        return result;
    process.waitForFinished(60000);
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

inline bool mdbToolsPresent() {
    return !QStandardPaths::findExecutable("mdb-export").isEmpty() &&
           !QStandardPaths::findExecutable("mdb-tables").isEmpty() &&
           !QStandardPaths::findExecutable("mdb-schema").isEmpty();
}

inline QByteArray readFile(const std::string& path) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline const std::uint8_t* pageOf(const QByteArray& file, std::uint32_t page) {
    return reinterpret_cast<const std::uint8_t*>(file.constData()) + std::size_t{page} * 4096;
}

inline std::uint32_t pageCount(const QByteArray& file) {
    return static_cast<std::uint32_t>(file.size() / 4096);
}

// The pages a usage map lists; `pointer` is (page << 8 | row) as a table definition holds it. Inline
// maps (type 0) and reference maps (type 1, naming bitmap pages) are both read.
inline std::set<std::uint32_t> usageMapPages(const QByteArray& file, std::uint32_t pointer) {
    std::set<std::uint32_t> pages;
    const std::uint8_t* page = pageOf(file, pointer >> 8);
    const std::uint32_t row = pointer & 0xFF;
    const std::size_t start = jet::getU16(page + 14 + 2 * row) & 0x1FFF;
    const std::size_t end = row == 0 ? 4096 : jet::getU16(page + 14 + 2 * (row - 1)) & 0x1FFF;
    const std::uint8_t* map = page + start;
    if (map[0] == 0x00) {
        const std::uint32_t first = jet::getU32(map + 1);
        for (std::size_t bit = 0; bit < (end - start - 5) * 8; ++bit)
            if (map[5 + bit / 8] & (1u << (bit % 8)))
                pages.insert(first + static_cast<std::uint32_t>(bit));
    } else if (map[0] == 0x01) {
        for (std::size_t k = 0; 1 + 4 * k + 4 <= end - start; ++k) {
            const std::uint32_t bitmapPage = jet::getU32(map + 1 + 4 * k);
            if (bitmapPage == 0)
                continue;
            const std::uint8_t* bitmap = pageOf(file, bitmapPage);
            for (std::uint32_t bit = 0; bit < (4096 - 4) * 8; ++bit)
                if (bitmap[4 + bit / 8] & (1u << (bit % 8)))
                    pages.insert(static_cast<std::uint32_t>(k) * (4096 - 4) * 8 + bit);
        }
    }
    return pages;
}

// The usage-map pointer of the physical index whose root page is `root`, read from the table
// definition (single-page definitions only).
inline std::uint32_t indexMapPointer(const QByteArray& file, std::uint32_t definition, std::uint32_t root) {
    const std::uint8_t* t = pageOf(file, definition);
    const std::uint32_t columns = jet::getU16(t + 45);
    const std::uint32_t realIndexes = jet::getU32(t + 51);
    std::size_t at = 63 + 12 * std::size_t{realIndexes} + 25 * std::size_t{columns};
    for (std::uint32_t c = 0; c < columns; ++c)
        at += 2 + jet::getU16(t + at);
    for (std::uint32_t i = 0; i < realIndexes; ++i, at += 52)
        if (jet::getU32(t + at + 38) == root)
            return jet::getU32(t + at + 34);
    return 0;
}

inline std::string writeIn(const QTemporaryDir& dir, const QString& name, const jet::DatabaseSpec& spec) {
    const std::string path = dir.filePath(name).toStdString();
    jet::writeJetDatabase(path, spec);
    return path;
}

inline jet::TableSpec table(const std::string& name, std::vector<jet::ColumnSpec> columns,
                            std::vector<std::vector<jet::Value>> rows = {},
                            std::optional<std::string> primaryKey = std::nullopt) {
    jet::TableSpec t;
    t.name = name;
    t.columns = std::move(columns);
    t.rows = std::move(rows);
    t.primaryKey = std::move(primaryKey);
    return t;
}

inline jet::DatabaseSpec database(std::vector<jet::TableSpec> tables, const std::string& password = {},
                                  double created = 45426.5) {
    jet::DatabaseSpec spec;
    spec.password = password;
    spec.creationDate = created;
    spec.tables = std::move(tables);
    return spec;
}

// Files in a folder, to show that a refused write left nothing behind.
inline QStringList filesIn(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace writertest
