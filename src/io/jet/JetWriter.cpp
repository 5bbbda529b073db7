#include "io/jet/JetWriter.h"

#include "io/jet/JetAtomicFile.h"
#include "io/jet/JetBytes.h"
#include "io/jet/JetError.h"
#include "io/jet/JetHeaderBlock.h"
#include "io/jet/JetIndexPages.h"
#include "io/jet/JetPageBuilder.h"
#include "io/jet/JetRowEncoder.h"
#include "io/jet/JetSortKey.h"
#include "io/jet/JetTableDefinitionPage.h"
#include "io/jet/JetTableLayout.h"
#include "io/jet/JetText.h"
#include "io/jet/JetUsageMap.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <set>

namespace jet {

namespace {

constexpr std::uint32_t kCatalogPage = 2;
constexpr std::int32_t kTablesContainerId = 0x0F000001;
constexpr std::int32_t kRootContainerId = 0x0F000000;
constexpr std::int32_t kSystemObjectFlags = static_cast<std::int32_t>(0x80000000u);
constexpr std::size_t kMaxNameLength = 64;
constexpr std::size_t kMaxPasswordLength = 20;
// A data page with less room than this is left out of the free-space map.
constexpr std::size_t kFreeMapThreshold = 64;
constexpr std::size_t kMapRowsPerPage = (kJetPageSize - 14) / (kUsageMapRowBytes + 2);

// One index of a table being written, with the key of each row.
struct PendingIndex {
    JetIndexLayout layout;
    std::vector<Bytes> rowKeys;
    std::size_t pageCount = 0;
    std::uint32_t firstPage = 0;
    std::size_t mapRow = 0;
};

// A table on its way into the file: its layout, encoded rows and where everything goes.
struct PendingTable {
    std::string name;
    JetTableLayout layout;
    std::vector<Bytes> rows;
    std::vector<PendingIndex> indexes;
    std::vector<std::size_t> pageFirstRows;
    std::uint32_t definitionPage = 0;
    std::uint32_t firstDataPage = 0;
    std::size_t ownedMapRow = 0;
    std::size_t freeMapRow = 0;
    std::vector<std::pair<std::size_t, std::size_t>> longValueMapRows;

    std::size_t dataPageCount() const { return pageFirstRows.size(); }
    std::vector<std::uint32_t> dataPages() const {
        std::vector<std::uint32_t> pages;
        for (std::size_t i = 0; i < dataPageCount(); ++i)
            pages.push_back(firstDataPage + static_cast<std::uint32_t>(i));
        return pages;
    }
};

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

void checkName(const std::string& name, const std::string& what) {
    const std::u16string u = utf8ToUcs2(name);
    if (u.empty() || u.size() > kMaxNameLength || u.front() == u' ')
        throw JetError("Nome di " + what + " non valido: \"" + name + "\".");
    for (char16_t c : u)
        if (c < 0x20 || c == u'.' || c == u'!' || c == u'`' || c == u'[' || c == u']')
            throw JetError("Nome di " + what + " non valido: \"" + name + "\".");
}

Bytes longBytes(std::int32_t v) {
    Bytes b(4);
    putU32(b.data(), static_cast<std::uint32_t>(v));
    return b;
}

Bytes dateBytes(double v) {
    Bytes b(8);
    putDouble(b.data(), v);
    return b;
}

Bytes ucs2Bytes(const std::string& utf8) {
    return encodeJetText(utf8ToUcs2(utf8), false);
}

JetColumnLayout userColumn(const ColumnSpec& spec) {
    JetColumnLayout c;
    c.name = spec.name;
    switch (spec.type) {
    case ColumnType::Text:
        if (spec.textLength < 1 || spec.textLength > 255)
            throw JetError("Lunghezza non ammessa per la colonna di testo \"" + spec.name + "\" (1-255).");
        c.type = kTypeText;
        c.length = static_cast<std::uint16_t>(2 * spec.textLength);
        c.extFlags = kColumnCompressedText;
        break;
    case ColumnType::Long:
        c.type = kTypeLong;
        c.fixed = true;
        c.length = 4;
        break;
    case ColumnType::DateTime:
        c.type = kTypeDateTime;
        c.fixed = true;
        c.length = 8;
        break;
    }
    return c;
}

std::string rowLabel(const TableSpec& table, std::size_t row) {
    return "tabella \"" + table.name + "\", riga " + std::to_string(row + 1);
}

PendingTable prepareUserTable(const TableSpec& spec) {
    checkName(spec.name, "tabella");
    if (lowerAscii(spec.name).rfind("msys", 0) == 0)
        throw JetError("Il nome di tabella \"" + spec.name + "\" è riservato alle tabelle di sistema.");
    // The catalog's name index needs every table name as a key.
    for (char16_t c : utf8ToUcs2(spec.name))
        if (!isEncodableKeyCharacter(c))
            throw JetError("Nome di tabella non ammesso: \"" + spec.name +
                           "\" (solo lettere, cifre, spazio e vocali accentate).");
    if (spec.columns.empty() || spec.columns.size() > 255)
        throw JetError("La tabella \"" + spec.name + "\" deve avere da 1 a 255 colonne.");

    PendingTable t;
    t.name = spec.name;
    std::set<std::string> seen;
    for (const auto& column : spec.columns) {
        checkName(column.name, "colonna");
        if (!seen.insert(lowerAscii(column.name)).second)
            throw JetError("Colonna \"" + column.name + "\" ripetuta nella tabella \"" + spec.name + "\".");
        t.layout.columns.push_back(userColumn(column));
    }
    numberColumns(t.layout.columns);

    std::optional<std::size_t> keyColumn;
    if (spec.primaryKey) {
        for (std::size_t i = 0; i < spec.columns.size(); ++i)
            if (lowerAscii(spec.columns[i].name) == lowerAscii(*spec.primaryKey))
                keyColumn = i;
        if (!keyColumn || spec.columns[*keyColumn].type != ColumnType::Text)
            throw JetError("La chiave primaria della tabella \"" + spec.name +
                           "\" deve essere una sua colonna di testo.");
        PendingIndex pk;
        pk.layout.name = "PrimaryKey";
        pk.layout.columnNumbers = {t.layout.columns[*keyColumn].number};
        pk.layout.flags = kIndexNewFormat | kIndexUnique | kIndexRequired;
        pk.layout.primaryKey = true;
        t.indexes.push_back(pk);
    }

    std::map<Bytes, std::size_t> keysSeen;
    for (std::size_t r = 0; r < spec.rows.size(); ++r) {
        const auto& row = spec.rows[r];
        if (row.size() != spec.columns.size())
            throw JetError("Numero di valori errato (" + rowLabel(spec, r) + ").");
        std::vector<std::optional<Bytes>> values(row.size());
        for (std::size_t c = 0; c < row.size(); ++c) {
            const ColumnSpec& column = spec.columns[c];
            const Value& v = row[c];
            if (std::holds_alternative<JetNull>(v))
                continue;
            const auto wrongType = [&] {
                return JetError("Valore di tipo errato per la colonna \"" + column.name + "\" (" +
                                rowLabel(spec, r) + ").");
            };
            switch (column.type) {
            case ColumnType::Text: {
                const auto* text = std::get_if<std::string>(&v);
                if (!text)
                    throw wrongType();
                const std::u16string u = utf8ToUcs2(*text);
                if (u.size() > static_cast<std::size_t>(column.textLength))
                    throw JetError("Il valore \"" + *text + "\" è troppo lungo per la colonna \"" +
                                   column.name + "\" (al massimo " + std::to_string(column.textLength) +
                                   " caratteri, " + rowLabel(spec, r) + ").");
                values[c] = encodeJetText(u, true);
                break;
            }
            case ColumnType::Long: {
                const auto* n = std::get_if<std::int32_t>(&v);
                if (!n)
                    throw wrongType();
                values[c] = longBytes(*n);
                break;
            }
            case ColumnType::DateTime: {
                const auto* d = std::get_if<JetDateValue>(&v);
                if (!d)
                    throw wrongType();
                // Access keeps dates from the year 100 to 9999.
                if (!(d->days >= -657434.0 && d->days < 2958466.0))
                    throw JetError("Data fuori dall'intervallo ammesso per la colonna \"" + column.name +
                                   "\" (" + rowLabel(spec, r) + ").");
                values[c] = dateBytes(d->days);
                break;
            }
            }
        }
        if (keyColumn) {
            const auto* text = std::get_if<std::string>(&row[*keyColumn]);
            if (!text || text->empty())
                throw JetError("La chiave primaria non può essere nulla o vuota (" + rowLabel(spec, r) +
                               ").");
            Bytes key{kKeyAscending};
            appendBytes(key, generalTextKey(utf8ToUcs2(*text)));
            const auto [it, fresh] = keysSeen.emplace(key, r);
            if (!fresh)
                throw JetError("Chiave primaria duplicata nella tabella \"" + spec.name + "\": \"" + *text +
                               "\" (righe " + std::to_string(it->second + 1) + " e " + std::to_string(r + 1) +
                               "; maiuscole e minuscole non contano).");
            t.indexes.front().rowKeys.push_back(std::move(key));
        }
        Bytes encoded = encodeJetRow(t.layout.columns, values);
        if (encoded.size() > kMaxRowSize)
            throw JetError("Riga troppo lunga (" + rowLabel(spec, r) + ").");
        t.rows.push_back(std::move(encoded));
    }
    t.layout.rowCount = static_cast<std::uint32_t>(t.rows.size());
    return t;
}

// The catalog table, laid out as Access lays out its own.
JetTableLayout catalogLayout() {
    struct Col {
        const char* name;
        std::uint8_t type;
        std::uint16_t length;
        std::uint8_t flags;
    };
    static const Col cols[] = {
        {"Id", kTypeLong, 4, 0x12},
        {"ParentId", kTypeLong, 4, 0x12},
        {"Name", kTypeText, 510, 0x12},
        {"Type", kTypeInt, 2, 0x12},
        {"DateCreate", kTypeDateTime, 8, 0x12},
        {"DateUpdate", kTypeDateTime, 8, 0x12},
        {"Owner", kTypeBinary, 510, 0x32},
        {"Flags", kTypeLong, 4, 0x12},
        {"Database", kTypeMemo, 0, 0x12},
        {"Connect", kTypeMemo, 0, 0x12},
        {"ForeignName", kTypeText, 510, 0x12},
        {"RmtInfoShort", kTypeBinary, 510, 0x12},
        {"RmtInfoLong", kTypeOle, 0, 0x12},
        {"Lv", kTypeOle, 0, 0x12},
        {"LvProp", kTypeOle, 0, 0x12},
        {"LvModule", kTypeOle, 0, 0x12},
        {"LvExtra", kTypeOle, 0, 0x12},
    };
    JetTableLayout layout;
    layout.tableType = 0x53;
    for (const Col& col : cols) {
        JetColumnLayout c;
        c.name = col.name;
        c.type = col.type;
        c.length = col.length;
        c.flags = col.flags;
        c.fixed = col.type == kTypeLong || col.type == kTypeInt || col.type == kTypeDateTime;
        layout.columns.push_back(c);
    }
    numberColumns(layout.columns);
    return layout;
}

struct CatalogEntry {
    std::int32_t id = 0;
    std::int32_t parentId = 0;
    std::string name;
    std::int16_t type = 1;
    std::int32_t flags = 0;
};

PendingTable prepareCatalog(const std::vector<CatalogEntry>& entries, double created) {
    PendingTable t;
    t.name = "MSysObjects";
    t.layout = catalogLayout();
    PendingIndex byId;
    byId.layout.name = "Id";
    byId.layout.columnNumbers = {0};
    byId.layout.flags = kIndexNewFormat | kIndexUnique;
    byId.layout.primaryKey = true;
    PendingIndex byName;
    byName.layout.name = "ParentIdName";
    byName.layout.columnNumbers = {1, 2};
    byName.layout.flags = kIndexNewFormat | kIndexUnique;
    for (const auto& e : entries) {
        std::vector<std::optional<Bytes>> values(t.layout.columns.size());
        values[0] = longBytes(e.id);
        values[1] = longBytes(e.parentId);
        values[2] = ucs2Bytes(e.name);
        Bytes type(2);
        putU16(type.data(), static_cast<std::uint16_t>(e.type));
        values[3] = type;
        values[4] = dateBytes(created);
        values[5] = dateBytes(created);
        values[7] = longBytes(e.flags);
        t.rows.push_back(encodeJetRow(t.layout.columns, values));

        Bytes idKey{kKeyAscending};
        appendBytes(idKey, longKey(e.id));
        byId.rowKeys.push_back(idKey);
        Bytes nameKey{kKeyAscending};
        appendBytes(nameKey, longKey(e.parentId));
        nameKey.push_back(kKeyAscending);
        appendBytes(nameKey, generalTextKey(utf8ToUcs2(e.name)));
        byName.rowKeys.push_back(nameKey);
    }
    t.indexes = {byId, byName};
    t.layout.rowCount = static_cast<std::uint32_t>(t.rows.size());
    return t;
}

// Index entries of every row, sorted as the index pages keep them.
std::vector<Bytes> sortedEntries(const PendingTable& t, const PendingIndex& index) {
    std::vector<Bytes> entries;
    entries.reserve(t.rows.size());
    for (std::size_t page = 0; page < t.dataPageCount(); ++page) {
        const std::size_t first = t.pageFirstRows[page];
        const std::size_t end = page + 1 < t.dataPageCount() ? t.pageFirstRows[page + 1] : t.rows.size();
        for (std::size_t r = first; r < end; ++r)
            entries.push_back(indexLeafEntry(index.rowKeys[r],
                                             t.firstDataPage + static_cast<std::uint32_t>(page),
                                             static_cast<std::uint8_t>(r - first)));
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::vector<std::size_t> rowSizes(const PendingTable& t) {
    std::vector<std::size_t> sizes;
    sizes.reserve(t.rows.size());
    for (const auto& row : t.rows)
        sizes.push_back(row.size());
    return sizes;
}

Bytes headerPage(const DatabaseSpec& spec) {
    Bytes page(kJetPageSize, 0);
    static constexpr std::uint8_t start[4] = {0x00, 0x01, 0x00, 0x00};
    std::memcpy(page.data(), start, sizeof start);
    static constexpr char magic[] = "Standard Jet DB";
    std::memcpy(page.data() + 4, magic, sizeof magic);
    page[kHeaderVersionOffset] = 0x01;
    // Constant bytes every Access 2000 file carries at the start of the hidden block.
    static constexpr std::uint8_t blockStart[24] = {0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00,
                                                    0x02, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00,
                                                    0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00};
    std::memcpy(page.data() + kHeaderBlockStart, blockStart, sizeof blockStart);
    putU16(page.data() + kHeaderCodePageOffset, 1252);
    putU32(page.data() + kHeaderPageKeyOffset, 0);
    const std::u16string password = utf8ToUcs2(spec.password);
    for (std::size_t i = 0; i < password.size(); ++i)
        putU16(page.data() + kHeaderPasswordOffset + 2 * i, password[i]);
    applyPasswordMask(page.data() + kHeaderPasswordOffset, kJet4PasswordBytes, spec.creationDate);
    putU16(page.data() + kHeaderSortOrderOffset, 1033);
    putDouble(page.data() + kHeaderCreationDateOffset, spec.creationDate);
    applyHeaderCipher(page.data(), kJet4HeaderBlockLength);
    static constexpr std::uint8_t trailer[8] = {0x54, 0x06, 0x00, 0x00, 0x34, 0x2E, 0x30, 0x00};
    std::memcpy(page.data() + 0x98, trailer, sizeof trailer);
    page[0xE00] = 0x01;
    page[0xE01] = 0x01;
    for (std::size_t at = 0xE02; at < kJetPageSize; at += 2) {
        page[at] = 0x00;
        page[at + 1] = 0x01;
    }
    return page;
}

// Page 1: the file's own map, a set bit for each free page; none is free, but pages past the end
// of the file count as free.
Bytes globalMapPage(std::uint32_t pageCount) {
    std::size_t bitmapBytes = std::max<std::size_t>(kInlineMapBitmapBytes, (pageCount + 7) / 8);
    bitmapBytes = (bitmapBytes + 31) / 32 * 32;
    std::vector<std::uint32_t> beyondEnd;
    for (std::size_t p = pageCount; p < bitmapBytes * 8; ++p)
        beyondEnd.push_back(static_cast<std::uint32_t>(p));
    const Bytes map = inlineUsageMap(0, bitmapBytes, beyondEnd);
    const Bytes spare(kUsageMapRowBytes, 0);
    if (map.size() + spare.size() + 18 > kJetPageSize)
        throw JetError("Database troppo grande.");
    return buildDataPage(0, {&map, &spare});
}

void checkSpec(const DatabaseSpec& spec) {
    if (utf8ToUcs2(spec.password).size() > kMaxPasswordLength)
        throw JetError("La password del database può avere al massimo 20 caratteri.");
    if (std::any_of(spec.password.begin(), spec.password.end(), [](char c) { return c == '\0'; }))
        throw JetError("La password del database non può contenere il carattere nullo.");
    if (!(spec.creationDate >= -657434.0 && spec.creationDate < 2958466.0))
        throw JetError("Data di creazione del database non valida.");
    std::set<std::string> names;
    for (const auto& t : spec.tables)
        if (!names.insert(lowerAscii(t.name)).second)
            throw JetError("Tabella \"" + t.name + "\" ripetuta.");
}

} // namespace

void writeJetDatabase(const std::string& path, const DatabaseSpec& spec) {
    checkSpec(spec);
    std::vector<PendingTable> tables;
    tables.reserve(spec.tables.size() + 1);
    for (const auto& t : spec.tables)
        tables.push_back(prepareUserTable(t));

    // The catalog names each table by the page of its definition, known only once pages are laid out;
    // its rows have the same size whatever those numbers are, so lay it out with placeholders first.
    std::vector<CatalogEntry> catalog = {
        {kTablesContainerId, kRootContainerId, "Tables", 3, 0},
        {kTablesContainerId + 1, kRootContainerId, "Databases", 3, 0},
        {kTablesContainerId + 2, kRootContainerId, "Relationships", 3, 0},
        {static_cast<std::int32_t>(kCatalogPage), kTablesContainerId, "MSysObjects", 1, kSystemObjectFlags},
    };
    for (const auto& t : tables)
        catalog.push_back({0, kTablesContainerId, t.name, 1, 0});
    tables.insert(tables.begin(), prepareCatalog(catalog, spec.creationDate));
    PendingTable& catalogTable = tables.front();

    // Map rows: each table's owned and free pages and one per index; the catalog's long-value maps.
    std::size_t mapRows = 0;
    for (auto& t : tables) {
        t.ownedMapRow = mapRows++;
        t.freeMapRow = mapRows++;
        for (auto& index : t.indexes)
            index.mapRow = mapRows++;
    }
    for (const auto& c : catalogTable.layout.columns)
        if (c.type == kTypeMemo || c.type == kTypeOle) {
            catalogTable.longValueMapRows.emplace_back(mapRows, mapRows + 1);
            mapRows += 2;
        }
    const std::size_t mapPageCount = (mapRows + kMapRowsPerPage - 1) / kMapRowsPerPage;
    const auto mapPointerOf = [&](std::size_t row) {
        return mapPointer(3 + static_cast<std::uint32_t>(row / kMapRowsPerPage),
                          static_cast<std::uint32_t>(row % kMapRowsPerPage));
    };

    // Page numbers: 0 header, 1 file map, 2 catalog definition, the map pages, then per table its
    // definition (the catalog's is page 2), data pages and index pages.
    std::uint32_t next = 3 + static_cast<std::uint32_t>(mapPageCount);
    for (auto& t : tables) {
        t.definitionPage = &t == &catalogTable ? kCatalogPage : next++;
        t.pageFirstRows = packRowsIntoPages(rowSizes(t));
        t.firstDataPage = next;
        next += static_cast<std::uint32_t>(t.dataPageCount());
        for (auto& index : t.indexes) {
            // The number of index pages depends on the entry sizes only.
            index.pageCount = buildIndexPages(sortedEntries(t, index), t.definitionPage, 0).pages.size();
            index.firstPage = next;
            next += static_cast<std::uint32_t>(index.pageCount);
        }
    }

    // Now the catalog can name the tables.
    for (std::size_t i = 0; i < spec.tables.size(); ++i)
        catalog[4 + i].id = static_cast<std::int32_t>(tables[1 + i].definitionPage);
    {
        PendingTable rebuilt = prepareCatalog(catalog, spec.creationDate);
        for (std::size_t r = 0; r < rebuilt.rows.size(); ++r)
            if (rebuilt.rows[r].size() != catalogTable.rows[r].size())
                throw JetError("Errore interno nella preparazione del catalogo.");
        catalogTable.rows = std::move(rebuilt.rows);
        for (std::size_t k = 0; k < catalogTable.indexes.size(); ++k)
            catalogTable.indexes[k].rowKeys = std::move(rebuilt.indexes[k].rowKeys);
    }

    std::vector<Bytes> pages(next);
    std::vector<Bytes> mapRowBytes(mapRows);
    std::vector<std::pair<std::vector<std::uint32_t>, std::size_t>> referenceMaps; // pages, map row
    const auto setMap = [&](std::size_t row, const std::vector<std::uint32_t>& listed) {
        if (fitsInlineUsageMap(listed))
            mapRowBytes[row] = inlineUsageMap(0, kInlineMapBitmapBytes, listed);
        else
            referenceMaps.emplace_back(listed, row);
    };

    for (auto& t : tables) {
        for (auto& index : t.indexes) {
            JetIndexPages built = buildIndexPages(sortedEntries(t, index), t.definitionPage, index.firstPage);
            if (built.pages.size() != index.pageCount)
                throw JetError("Errore interno nella preparazione di un indice.");
            std::vector<std::uint32_t> indexPages;
            for (std::size_t k = 0; k < built.pages.size(); ++k) {
                pages[index.firstPage + k] = std::move(built.pages[k]);
                indexPages.push_back(index.firstPage + static_cast<std::uint32_t>(k));
            }
            index.layout.rootPage = built.rootPage;
            index.layout.mapPointer = mapPointerOf(index.mapRow);
            t.layout.indexes.push_back(index.layout);
            setMap(index.mapRow, indexPages);
        }
        std::size_t lastFree = 0;
        for (std::size_t page = 0; page < t.dataPageCount(); ++page) {
            const std::size_t first = t.pageFirstRows[page];
            const std::size_t end = page + 1 < t.dataPageCount() ? t.pageFirstRows[page + 1] : t.rows.size();
            std::vector<const Bytes*> rows;
            for (std::size_t r = first; r < end; ++r)
                rows.push_back(&t.rows[r]);
            pages[t.firstDataPage + page] = buildDataPage(t.definitionPage, rows);
            lastFree = getU16(pages[t.firstDataPage + page].data() + 2);
        }
        const std::vector<std::uint32_t> dataPages = t.dataPages();
        setMap(t.ownedMapRow, dataPages);
        // Rows go in page order, so only the last page may still have room.
        std::vector<std::uint32_t> roomy;
        if (!dataPages.empty() && lastFree >= kFreeMapThreshold)
            roomy.push_back(dataPages.back());
        setMap(t.freeMapRow, roomy);
        t.layout.ownedMap = mapPointerOf(t.ownedMapRow);
        t.layout.freeMap = mapPointerOf(t.freeMapRow);
        for (const auto& [owned, freeRow] : t.longValueMapRows) {
            setMap(owned, {});
            setMap(freeRow, {});
        }
        for (std::size_t k = 0, lv = 0; k < t.layout.columns.size(); ++k) {
            const auto& c = t.layout.columns[k];
            if (lv < t.longValueMapRows.size() && (c.type == kTypeMemo || c.type == kTypeOle)) {
                t.layout.longValueMaps.push_back({c.number, mapPointerOf(t.longValueMapRows[lv].first),
                                                  mapPointerOf(t.longValueMapRows[lv].second)});
                ++lv;
            }
        }
        pages[t.definitionPage] = buildTableDefinitionPage(t.layout);
    }

    // Maps too large for one inline row point to bitmap pages placed at the end of the file.
    for (const auto& [listed, row] : referenceMaps) {
        std::vector<std::uint32_t> slots(kReferenceMapSlots, 0);
        for (std::size_t stretch : referenceMapStretches(listed)) {
            slots[stretch] = static_cast<std::uint32_t>(pages.size());
            pages.push_back(usageBitmapPage(stretch, listed));
        }
        mapRowBytes[row] = referenceUsageMap(slots);
    }

    for (std::size_t p = 0; p < mapPageCount; ++p) {
        std::vector<const Bytes*> rows;
        for (std::size_t r = p * kMapRowsPerPage; r < std::min(mapRows, (p + 1) * kMapRowsPerPage); ++r)
            rows.push_back(&mapRowBytes[r]);
        pages[3 + p] = buildDataPage(0, rows);
    }
    pages[0] = headerPage(spec);
    pages[1] = globalMapPage(static_cast<std::uint32_t>(pages.size()));
    for (const auto& page : pages)
        if (page.size() != kJetPageSize)
            throw JetError("Errore interno: pagina non preparata.");
    writeFileAtomically(path, pages);
}

} // namespace jet
