#include "io/jet/TableDefinition.h"

#include "io/jet/StoredText.h"

#include <set>

namespace jet::engine {

namespace {

constexpr std::uint8_t kTableDefinitionType = 0x02;
constexpr std::size_t kContinuationHeader = 8;
constexpr std::size_t kColumnEntry = 25;
constexpr std::size_t kRealIndexHeader = 12;
constexpr std::size_t kRealIndexEntry = 52;
constexpr std::size_t kLogicalIndexEntry = 28;
constexpr std::size_t kIndexColumnSlots = 10;

// A definition longer than a page carries on in further pages, each after an 8-byte header.
std::vector<std::uint8_t> readChain(const PageImage& image, std::uint32_t first) {
    std::vector<std::uint8_t> chain;
    std::set<std::uint32_t> seen;
    std::uint32_t page = first;
    while (true) {
        const ByteView view = image.page(page);
        if (view.u8(0) != kTableDefinitionType) {
            view.damaged("la pagina " + std::to_string(page) + " non è una definizione di tabella");
        }
        if (!seen.insert(page).second) {
            view.damaged("catena di definizione circolare");
        }
        const std::size_t skip = chain.empty() ? 0 : kContinuationHeader;
        chain.insert(chain.end(), view.data() + skip, view.data() + view.size());
        page = view.u32(4);
        if (page == 0) {
            return chain;
        }
    }
}

std::string readName(const ByteView& view, std::size_t& pos) {
    const std::uint16_t length = view.u16(pos);
    view.require(pos + 2, length);
    std::string name = decodeStoredText(view.data() + pos + 2, length);
    pos += 2 + std::size_t{length};
    return name;
}

} // namespace

TableDefinition TableDefinition::read(const PageImage& image, std::uint32_t page) {
    const std::vector<std::uint8_t> chain = readChain(image, page);
    const ByteView view(chain.data(), chain.size(), &image.path());

    TableDefinition def;
    def.m_page = page;
    def.m_variableColumnCount = view.u16(43);
    const std::uint16_t columnCount = view.u16(45);
    const std::uint32_t logicalCount = view.u32(47);
    const std::uint32_t realCount = view.u32(51);
    def.m_ownedPagesMap = view.u32(55);
    // Counts that cannot fit the chain would only make the loops below throw later; refuse early.
    if (std::size_t{columnCount} * kColumnEntry > chain.size() ||
        std::size_t{realCount} * kRealIndexEntry > chain.size() ||
        std::size_t{logicalCount} * kLogicalIndexEntry > chain.size()) {
        view.damaged("definizione di tabella incoerente");
    }

    std::size_t pos = 63 + kRealIndexHeader * realCount;
    for (std::uint16_t i = 0; i < columnCount; ++i) {
        ColumnInfo column;
        column.type = view.u8(pos);
        column.number = view.u16(pos + 5);
        column.varIndex = view.u16(pos + 7);
        column.flags = view.u8(pos + 15);
        column.extFlags = view.u8(pos + 16);
        column.fixedOffset = view.u16(pos + 21);
        column.length = view.u16(pos + 23);
        def.m_columns.push_back(column);
        pos += kColumnEntry;
    }
    for (ColumnInfo& column : def.m_columns) {
        column.name = readName(view, pos);
    }
    for (std::uint32_t i = 0; i < realCount; ++i) {
        RealIndex index;
        for (std::size_t slot = 0; slot < kIndexColumnSlots; ++slot) {
            const std::uint16_t number = view.u16(pos + 4 + 3 * slot);
            if (number != 0xFFFF) {
                index.columnNumbers.push_back(number);
            }
        }
        index.flags = view.u8(pos + 46);
        def.m_realIndexes.push_back(index);
        pos += kRealIndexEntry;
    }
    for (std::uint32_t i = 0; i < logicalCount; ++i) {
        LogicalIndex index;
        index.realIndex = view.u32(pos + 8);
        index.kind = view.u8(pos + 23);
        def.m_logicalIndexes.push_back(index);
        pos += kLogicalIndexEntry;
    }
    for (LogicalIndex& index : def.m_logicalIndexes) {
        index.name = readName(view, pos);
    }
    return def;
}

const ColumnInfo* TableDefinition::findColumn(const std::string& name) const {
    for (const ColumnInfo& column : m_columns) {
        if (equalsIgnoringCase(column.name, name)) {
            return &column;
        }
    }
    return nullptr;
}

const ColumnInfo* TableDefinition::findColumnByNumber(std::uint16_t number) const {
    for (const ColumnInfo& column : m_columns) {
        if (column.number == number) {
            return &column;
        }
    }
    return nullptr;
}

const LogicalIndex* TableDefinition::findIndex(const std::string& name) const {
    for (const LogicalIndex& index : m_logicalIndexes) {
        if (equalsIgnoringCase(index.name, name)) {
            return &index;
        }
    }
    return nullptr;
}

bool TableDefinition::isIndexed(const ColumnInfo& column) const {
    for (const RealIndex& index : m_realIndexes) {
        for (const std::uint16_t number : index.columnNumbers) {
            if (number == column.number) {
                return true;
            }
        }
    }
    return false;
}

} // namespace jet::engine
