#include "io/jet/JetIndexPages.h"

#include "WriterTestSupport.h"
#include "io/jet/JetBytes.h"
#include "io/jet/JetSortKey.h"
#include "io/jet/JetText.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <sstream>

using namespace writertest;
using jet::Bytes;
using jet::ColumnType;
using jet::Value;

namespace {

// An independent reading of index pages: from the root down, every leaf entry in tree order, with
// whatever looks wrong on the way.
struct IndexWalk {
    std::vector<Bytes> entries;
    std::vector<std::uint32_t> leaves;
    int nodePages = 0;
    int depth = 0;
    std::vector<std::string> problems;
};

class IndexWalker {
public:
    IndexWalker(std::function<const std::uint8_t*(std::uint32_t)> page, std::uint32_t tableDefinition)
        : m_page(std::move(page)), m_tableDefinition(tableDefinition) {}

    IndexWalk walk(std::uint32_t root) {
        visit(root, 1);
        checkLeafChain();
        return m_walk;
    }

private:
    void problem(const std::string& what) { m_walk.problems.push_back(what); }

    std::vector<Bytes> pageEntries(std::uint32_t number) {
        const std::uint8_t* p = m_page(number);
        std::vector<Bytes> entries;
        const std::size_t prefixLength = jet::getU16(p + 24);
        std::size_t start = 0;
        for (std::size_t bit = 0; bit < 453 * 8; ++bit) {
            if (!(p[27 + bit / 8] & (1u << (bit % 8))))
                continue;
            Bytes e(p + 0x1E0 + start, p + 0x1E0 + bit);
            if (!entries.empty() && prefixLength > 0)
                e.insert(e.begin(), entries.front().begin(),
                         entries.front().begin() + static_cast<std::ptrdiff_t>(prefixLength));
            entries.push_back(std::move(e));
            start = bit;
        }
        if (jet::getU16(p + 2) != 4096 - (0x1E0 + start))
            problem("free space of page " + std::to_string(number));
        if (jet::getU32(p + 4) != m_tableDefinition)
            problem("owner of page " + std::to_string(number));
        return entries;
    }

    // Returns the last leaf entry below `number`.
    Bytes visit(std::uint32_t number, int depth) {
        m_walk.depth = std::max(m_walk.depth, depth);
        const std::uint8_t* p = m_page(number);
        const std::vector<Bytes> entries = pageEntries(number);
        if (p[0] == 0x04) {
            m_walk.leaves.push_back(number);
            if (jet::getU32(p + 20) != 0)
                problem("leaf with a tail page");
            m_walk.entries.insert(m_walk.entries.end(), entries.begin(), entries.end());
            return entries.empty() ? Bytes{} : entries.back();
        }
        if (p[0] != 0x03) {
            problem("page " + std::to_string(number) + " is no index page");
            return {};
        }
        ++m_walk.nodePages;
        if (entries.empty())
            problem("empty node page");
        std::vector<std::uint32_t> children;
        Bytes last;
        for (const Bytes& e : entries) {
            if (e.size() < 5) {
                problem("short node entry");
                continue;
            }
            const std::uint32_t child = static_cast<std::uint32_t>(e[e.size() - 4]) << 24 |
                                        static_cast<std::uint32_t>(e[e.size() - 3]) << 16 |
                                        static_cast<std::uint32_t>(e[e.size() - 2]) << 8 | e[e.size() - 1];
            children.push_back(child);
            last = visit(child, depth + 1);
            if (Bytes(e.begin(), e.end() - 4) != last)
                problem("node entry differs from the last entry of its child " + std::to_string(child));
        }
        const std::uint32_t tail = jet::getU32(p + 20);
        if (tail != 0) {
            children.push_back(tail);
            last = visit(tail, depth + 1);
        }
        // Child node pages are chained among themselves only.
        if (m_page(children.front())[0] == 0x03)
            for (std::size_t i = 0; i < children.size(); ++i) {
                const std::uint8_t* c = m_page(children[i]);
                if (jet::getU32(c + 12) != (i > 0 ? children[i - 1] : 0) ||
                    jet::getU32(c + 16) != (i + 1 < children.size() ? children[i + 1] : 0))
                    problem("node page chain at " + std::to_string(children[i]));
            }
        return last;
    }

    void checkLeafChain() {
        const auto& l = m_walk.leaves;
        for (std::size_t i = 0; i < l.size(); ++i) {
            const std::uint8_t* p = m_page(l[i]);
            if (jet::getU32(p + 12) != (i > 0 ? l[i - 1] : 0) ||
                jet::getU32(p + 16) != (i + 1 < l.size() ? l[i + 1] : 0))
                problem("leaf chain at " + std::to_string(l[i]));
        }
    }

    std::function<const std::uint8_t*(std::uint32_t)> m_page;
    std::uint32_t m_tableDefinition;
    IndexWalk m_walk;
};

IndexWalk walkFileIndex(const QByteArray& file, std::uint32_t root, std::uint32_t tableDefinition) {
    return IndexWalker([&file](std::uint32_t n) { return pageOf(file, n); }, tableDefinition).walk(root);
}

std::string describe(const std::vector<std::string>& problems) {
    std::ostringstream s;
    for (const auto& p : problems)
        s << p << "; ";
    return s.str();
}

bool strictlyAscending(const std::vector<Bytes>& entries) {
    return std::adjacent_find(entries.begin(), entries.end(), std::greater_equal<Bytes>()) == entries.end();
}

// Splits a leaf entry into its key and the row it names.
std::pair<Bytes, std::pair<std::uint32_t, int>> splitEntry(const Bytes& e) {
    const std::size_t n = e.size();
    const std::uint32_t page =
        static_cast<std::uint32_t>(e[n - 4]) << 16 | static_cast<std::uint32_t>(e[n - 3]) << 8 | e[n - 2];
    return {Bytes(e.begin(), e.end() - 4), {page, e[n - 1]}};
}

Bytes textKey(const std::string& text) {
    Bytes key{jet::kKeyAscending};
    jet::appendBytes(key, jet::generalTextKey(jet::utf8ToUcs2(text)));
    return key;
}

bool encodable(const std::string& text) {
    const std::u16string u = jet::utf8ToUcs2(text);
    return std::all_of(u.begin(), u.end(), jet::isEncodableKeyCharacter);
}

// Checks an index over one text column against the rows libmdb reads: every row once, in key order,
// each entry naming the row its key came from.
void expectTextIndexMatchesRows(const std::string& path, const std::string& tableName,
                                const std::string& keyColumn, std::size_t expectedLeavesAtLeast) {
    const TableContent t = readWithLibmdb(path, tableName);
    ASSERT_TRUE(t.found);
    const auto primary =
        std::find_if(t.indexes.begin(), t.indexes.end(), [](const IndexInfo& i) { return i.type == 1; });
    ASSERT_NE(primary, t.indexes.end());
    const QByteArray file = readFile(path);
    const std::uint32_t definition = jet::getU32(pageOf(file, t.locations.front().first) + 4);
    const IndexWalk walk = walkFileIndex(file, primary->firstPage, definition);
    EXPECT_TRUE(walk.problems.empty()) << describe(walk.problems);
    EXPECT_GE(walk.leaves.size(), expectedLeavesAtLeast);
    // The index's usage map lists its pages: every leaf, and as many pages as the walk met.
    const std::set<std::uint32_t> listed =
        usageMapPages(file, indexMapPointer(file, definition, primary->firstPage));
    EXPECT_EQ(listed.size(), walk.leaves.size() + static_cast<std::size_t>(walk.nodePages));
    for (std::uint32_t leaf : walk.leaves)
        EXPECT_EQ(listed.count(leaf), 1u);
    ASSERT_EQ(walk.entries.size(), t.rows.size());
    EXPECT_TRUE(strictlyAscending(walk.entries));
    std::map<std::pair<std::uint32_t, int>, std::string> keyAt;
    const int column = columnIndex(t, keyColumn);
    for (std::size_t r = 0; r < t.rows.size(); ++r)
        keyAt[t.locations[r]] = t.rows[r][static_cast<std::size_t>(column)].text;
    for (const Bytes& e : walk.entries) {
        const auto [key, location] = splitEntry(e);
        const auto it = keyAt.find(location);
        ASSERT_NE(it, keyAt.end()) << "entry names no row";
        EXPECT_EQ(key, textKey(it->second)) << it->second;
        keyAt.erase(it); // each row once
    }
}

std::vector<std::vector<Value>> shuffledKeys(int count, unsigned seed) {
    std::vector<std::vector<Value>> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back(
            {"Chiave " + std::to_string(i * 7919 % 100003) + (i % 5 == 0 ? " città" : ""), std::int32_t{i}});
    std::mt19937 random(seed);
    std::shuffle(rows.begin(), rows.end(), random);
    return rows;
}

} // namespace

TEST(JetIndexPages, FewKeysFitOneLeafInKeyOrder) {
    QTemporaryDir dir;
    const std::string path =
        writeIn(dir, "t.mdb",
                database({table("Parametri", {{"Nome", ColumnType::Text, 50}, {"N", ColumnType::Long}},
                                shuffledKeys(12, 1), "Nome")}));
    expectTextIndexMatchesRows(path, "Parametri", "Nome", 1);
    const TableContent t = readWithLibmdb(path, "Parametri");
    EXPECT_EQ(pageOf(readFile(path), t.indexes[0].firstPage)[0], 0x04);
}

TEST(JetIndexPages, ManyKeysSpreadOverLeavesUnderANodePage) {
    QTemporaryDir dir;
    const std::string path =
        writeIn(dir, "t.mdb",
                database({table("Molte", {{"Nome", ColumnType::Text, 50}, {"N", ColumnType::Long}},
                                shuffledKeys(6000, 2), "Nome")}));
    expectTextIndexMatchesRows(path, "Molte", "Nome", 10);
    const TableContent t = readWithLibmdb(path, "Molte");
    const QByteArray file = readFile(path);
    EXPECT_EQ(pageOf(file, t.indexes[0].firstPage)[0], 0x03);
    EXPECT_NE(jet::getU32(pageOf(file, t.indexes[0].firstPage) + 20), 0u); // the tail child
}

TEST(JetIndexPages, EmptyTableHasAnEmptyLeafAsRoot) {
    QTemporaryDir dir;
    const std::string path =
        writeIn(dir, "t.mdb", database({table("Vuota", {{"Nome", ColumnType::Text, 50}}, {}, "Nome")}));
    const TableContent t = readWithLibmdb(path, "Vuota");
    ASSERT_EQ(t.indexes.size(), 1u);
    const QByteArray file = readFile(path);
    const std::uint8_t* root = pageOf(file, t.indexes[0].firstPage);
    EXPECT_EQ(root[0], 0x04);
    EXPECT_EQ(jet::getU16(root + 2), 4096u - 0x1E0);
    const IndexWalk walk = walkFileIndex(file, t.indexes[0].firstPage, jet::getU32(root + 4));
    EXPECT_TRUE(walk.entries.empty());
    EXPECT_TRUE(walk.problems.empty()) << describe(walk.problems);
}

TEST(JetIndexPages, DeepTreesChainNodesWithinTheirParentOnly) {
    // Entries of ~1.8 KB leave room for two per page: a few dozen of them need several node levels.
    std::vector<Bytes> entries;
    for (int i = 0; i < 40; ++i) {
        Bytes key{jet::kKeyAscending};
        key.insert(key.end(), 1790, static_cast<std::uint8_t>(0x40 + i));
        entries.push_back(
            jet::indexLeafEntry(key, 100 + static_cast<std::uint32_t>(i), static_cast<std::uint8_t>(i)));
    }
    const std::uint32_t first = 50;
    const jet::JetIndexPages built = jet::buildIndexPages(entries, 7, first);
    const auto page = [&](std::uint32_t n) { return built.pages.at(n - first).data(); };
    const IndexWalk walk = IndexWalker(page, 7).walk(built.rootPage);
    EXPECT_TRUE(walk.problems.empty()) << describe(walk.problems);
    EXPECT_EQ(walk.entries, entries);
    EXPECT_GE(walk.depth, 4);
    EXPECT_EQ(walk.leaves.size() + static_cast<std::size_t>(walk.nodePages), built.pages.size());
}

TEST(JetIndexPages, CatalogIndexesNameEveryCatalogRow) {
    QTemporaryDir dir;
    const std::string path = writeIn(
        dir, "t.mdb",
        database({table("Alfa", {{"A", ColumnType::Long}}), table("Beta Due", {{"A", ColumnType::Long}})}));
    const TableContent catalog = readWithLibmdb(path, "MSysObjects");
    ASSERT_TRUE(catalog.found);
    ASSERT_EQ(catalog.indexes.size(), 2u);
    const QByteArray file = readFile(path);
    const int id = columnIndex(catalog, "Id");
    const int parent = columnIndex(catalog, "ParentId");
    const int name = columnIndex(catalog, "Name");
    for (const IndexInfo& index : catalog.indexes) {
        const IndexWalk walk = walkFileIndex(file, index.firstPage, 2);
        EXPECT_TRUE(walk.problems.empty()) << describe(walk.problems);
        ASSERT_EQ(walk.entries.size(), catalog.rows.size());
        EXPECT_TRUE(strictlyAscending(walk.entries));
        for (const Bytes& e : walk.entries) {
            const auto [key, location] = splitEntry(e);
            const auto at = std::find(catalog.locations.begin(), catalog.locations.end(), location);
            ASSERT_NE(at, catalog.locations.end());
            const auto& row = catalog.rows[static_cast<std::size_t>(at - catalog.locations.begin())];
            Bytes expected{jet::kKeyAscending};
            if (index.keyColumns.size() == 1) {
                jet::appendBytes(expected, jet::longKey(static_cast<std::int32_t>(
                                               jet::getU32(row[static_cast<std::size_t>(id)].raw.data()))));
            } else {
                jet::appendBytes(expected, jet::longKey(static_cast<std::int32_t>(jet::getU32(
                                               row[static_cast<std::size_t>(parent)].raw.data()))));
                jet::appendBytes(expected, textKey(row[static_cast<std::size_t>(name)].text));
            }
            EXPECT_EQ(key, expected);
        }
    }
}

// Access's own index pages, read by the same walker and compared with our key encoder.
TEST(JetIndexPagesSamples, AccessWrittenKeysEqualOurEncoding) {
    const std::string path = VELTRANO_SHARED_DIR "/mdb-samples/V2000_test.mdb";
    if (!QFile::exists(QString::fromStdString(path)))
        GTEST_SKIP() << "samples absent";
    const QByteArray file = readFile(path);
    const TableContent catalog = readWithLibmdb(path, "MSysObjects");
    ASSERT_TRUE(catalog.found);
    const int id = columnIndex(catalog, "Id");
    const int parent = columnIndex(catalog, "ParentId");
    const int name = columnIndex(catalog, "Name");
    int compared = 0;
    for (const IndexInfo& index : catalog.indexes) {
        const IndexWalk walk = walkFileIndex(file, index.firstPage, 2);
        EXPECT_TRUE(walk.problems.empty()) << describe(walk.problems);
        EXPECT_EQ(walk.entries.size(), catalog.rows.size());
        EXPECT_TRUE(strictlyAscending(walk.entries));
        for (const Bytes& e : walk.entries) {
            const auto [key, location] = splitEntry(e);
            const auto at = std::find(catalog.locations.begin(), catalog.locations.end(), location);
            ASSERT_NE(at, catalog.locations.end());
            const auto& row = catalog.rows[static_cast<std::size_t>(at - catalog.locations.begin())];
            Bytes expected{jet::kKeyAscending};
            if (index.keyColumns.size() == 1) {
                jet::appendBytes(expected, jet::longKey(static_cast<std::int32_t>(
                                               jet::getU32(row[static_cast<std::size_t>(id)].raw.data()))));
            } else {
                const std::string text = row[static_cast<std::size_t>(name)].text;
                if (!encodable(text))
                    continue;
                jet::appendBytes(expected, jet::longKey(static_cast<std::int32_t>(jet::getU32(
                                               row[static_cast<std::size_t>(parent)].raw.data()))));
                jet::appendBytes(expected, textKey(text));
            }
            EXPECT_EQ(key, expected) << row[static_cast<std::size_t>(name)].text;
            ++compared;
        }
    }
    EXPECT_GT(compared, 30);
    // The text primary key of Table1.
    expectTextIndexMatchesRows(path, "Table1", "A", 1);
}
