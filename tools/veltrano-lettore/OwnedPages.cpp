#include "OwnedPages.h"

#include "DamagedFile.h"

#include <algorithm>

namespace {

constexpr unsigned char kDataPage = 0x01;
constexpr unsigned char kTableDefinitionPage = 0x02;
constexpr unsigned char kMapPage = 0x05;

class PageCheck {
public:
    PageCheck(MdbHandle* mdb, MdbTableDef* table, unsigned long long fileSize)
        : m_mdb(mdb), m_table(table), m_pageSize(static_cast<unsigned long long>(mdb->fmt->pg_size)),
          m_pageCount(fileSize / m_pageSize), m_name(table->name) {}

    std::vector<std::uint32_t> run() {
        const unsigned char* map = m_table->usage_map;
        const std::size_t size = m_table->map_sz;
        if (!map || size < 1)
            damaged("la mappa delle pagine della tabella " + m_name + " è vuota");
        if (map[0] == 0)
            inlineMap(map, size);
        else if (map[0] == 1)
            referenceMap(map, size);
        else
            damaged("la mappa delle pagine della tabella " + m_name + " è di un tipo sconosciuto");
        return m_pages;
    }

private:
    [[noreturn]] static void damaged(const std::string& what) { throw DamagedFile(what); }

    static std::uint32_t u32(const unsigned char* at) {
        return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
               static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
    }

    // Type 0: the first page number, then one bit per page.
    void inlineMap(const unsigned char* map, std::size_t size) {
        if (size < 5)
            damaged("la mappa delle pagine della tabella " + m_name + " è troncata");
        const unsigned long long first = u32(map + 1);
        bitmap(map + 5, size - 5, first);
    }

    // Type 1: page numbers of map pages, each a bitmap of its own stretch of the file.
    void referenceMap(const unsigned char* map, std::size_t size) {
        const unsigned long long bitsPerPage = (m_pageSize - 4) * 8;
        for (std::size_t k = 0; 1 + 4 * k + 4 <= size; ++k) {
            const std::uint32_t mapPage = u32(map + 1 + 4 * k);
            if (mapPage == 0)
                continue;
            if (mapPage >= m_pageCount)
                damaged("la mappa delle pagine della tabella " + m_name + " rimanda alla pagina " +
                        italianNumber(mapPage) + ", " + pastTheEnd());
            readPage(mapPage);
            if (m_mdb->alt_pg_buf[0] != kMapPage)
                damaged("la pagina " + italianNumber(mapPage) + ", una mappa delle pagine della tabella " +
                        m_name + ", " + whatIsThere());
            const std::vector<unsigned char> bits(m_mdb->alt_pg_buf + 4, m_mdb->alt_pg_buf + m_pageSize);
            bitmap(bits.data(), bits.size(), k * bitsPerPage);
        }
    }

    void bitmap(const unsigned char* bits, std::size_t bytes, unsigned long long first) {
        for (std::size_t i = 0; i < bytes * 8; ++i) {
            if ((bits[i / 8] & (1u << (i % 8))) != 0)
                listed(first + i);
        }
    }

    void listed(unsigned long long page) {
        if (page >= m_pageCount)
            damaged("la tabella " + m_name + " elenca fra le sue la pagina " + italianNumber(page) + ", " +
                    pastTheEnd());
        readPage(page);
        const unsigned char* bytes = m_mdb->alt_pg_buf;
        const std::string where =
            "la pagina " + italianNumber(page) + ", elencata fra quelle della tabella " + m_name + ", ";
        if (bytes[0] != kDataPage)
            damaged(where + whatIsThere());
        const std::uint32_t owner = u32(bytes + 4);
        if (owner != m_table->entry->table_pg)
            damaged(where + (ownerIsTable(owner) ? "appartiene a un'altra tabella"
                                                 : "non appartiene a nessuna tabella"));
        m_pages.push_back(static_cast<std::uint32_t>(page));
    }

    std::string pastTheEnd() const {
        return "oltre la fine del file (" + italianNumber(m_pageCount) + " pagine, dalla 0 alla " +
               italianNumber(m_pageCount - 1) + "): il file è troncato";
    }

    std::string whatIsThere() const {
        const unsigned char* bytes = m_mdb->alt_pg_buf;
        const bool zero =
            std::all_of(bytes, bytes + m_pageSize, [](unsigned char byte) { return byte == 0; });
        return zero ? "è tutta a zero" : "non è una pagina di dati";
    }

    bool ownerIsTable(std::uint32_t owner) {
        if (owner == 0 || owner >= m_pageCount)
            return false;
        readPage(owner);
        return m_mdb->alt_pg_buf[0] == kTableDefinitionPage;
    }

    void readPage(unsigned long long page) {
        if (mdb_read_alt_pg(m_mdb, static_cast<unsigned long>(page)) != static_cast<ssize_t>(m_pageSize))
            damaged("la pagina " + italianNumber(page) + " non si legge");
    }

    MdbHandle* m_mdb;
    MdbTableDef* m_table;
    unsigned long long m_pageSize;
    unsigned long long m_pageCount;
    std::string m_name;
    std::vector<std::uint32_t> m_pages;
};

} // namespace

void OwnedPages::checkLength(MdbHandle* mdb, unsigned long long fileSize) {
    const auto pageSize = static_cast<unsigned long long>(mdb->fmt->pg_size);
    if (fileSize % pageSize != 0)
        throw DamagedFile("la lunghezza del file, " + italianNumber(fileSize) +
                          " byte, non è un numero intero di pagine da " + italianNumber(pageSize) +
                          " byte: il file è troncato o danneggiato");
}

std::vector<std::uint32_t> OwnedPages::check(MdbHandle* mdb, MdbTableDef* table,
                                             unsigned long long fileSize) {
    return PageCheck(mdb, table, fileSize).run();
}
