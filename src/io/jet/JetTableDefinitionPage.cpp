#include "io/jet/JetTableDefinitionPage.h"

#include "io/jet/JetError.h"
#include "io/jet/JetText.h"

namespace jet {

namespace {

constexpr std::uint32_t kDescriptorMarker = 1625; // column and logical index entries, and the header
constexpr std::uint32_t kPhysicalIndexMarker = 1923;
constexpr std::size_t kMaxIndexColumns = 10;

void appendName(Bytes& out, const std::string& utf8) {
    const std::u16string name = utf8ToUcs2(utf8);
    appendU16(out, static_cast<std::uint32_t>(name.size() * 2));
    for (char16_t c : name)
        appendU16(out, c);
}

} // namespace

Bytes buildTableDefinitionPage(const JetTableLayout& table) {
    Bytes page(63, 0);
    page[0] = kPageTableDefinition;
    page[1] = 0x01;
    putU32(page.data() + 12, kDescriptorMarker);
    putU32(page.data() + 16, table.rowCount);
    page[24] = 0x01;
    page[40] = table.tableType;
    std::uint32_t varCount = 0;
    for (const auto& c : table.columns)
        varCount += c.fixed ? 0 : 1;
    putU16(page.data() + 41, static_cast<std::uint32_t>(table.columns.size()));
    putU16(page.data() + 43, varCount);
    putU16(page.data() + 45, static_cast<std::uint32_t>(table.columns.size()));
    putU32(page.data() + 47, static_cast<std::uint32_t>(table.indexes.size()));
    putU32(page.data() + 51, static_cast<std::uint32_t>(table.indexes.size()));
    putU32(page.data() + 55, table.ownedMap);
    putU32(page.data() + 59, table.freeMap);

    for (std::size_t i = 0; i < table.indexes.size(); ++i) {
        appendU32(page, 0);
        appendU32(page, table.rowCount);
        appendU32(page, 0);
    }
    for (const auto& c : table.columns) {
        appendU8(page, c.type);
        appendU32(page, kDescriptorMarker);
        appendU16(page, c.number);
        appendU16(page, c.fixed ? 0 : c.varIndex);
        appendU16(page, c.number);
        appendU16(page, 1033); // sort order "General"
        appendU16(page, 0);
        appendU8(page, c.flags | (c.fixed ? kColumnFixed : 0));
        appendU8(page, c.extFlags);
        appendU32(page, 0);
        appendU16(page, c.fixed ? c.fixedOffset : 0);
        appendU16(page, c.length);
    }
    for (const auto& c : table.columns)
        appendName(page, c.name);
    for (const auto& index : table.indexes) {
        if (index.columnNumbers.empty() || index.columnNumbers.size() > kMaxIndexColumns)
            throw JetError("Indice \"" + index.name + "\" con un numero di colonne non ammesso.");
        appendU32(page, kPhysicalIndexMarker);
        for (std::size_t k = 0; k < kMaxIndexColumns; ++k) {
            if (k < index.columnNumbers.size()) {
                appendU16(page, index.columnNumbers[k]);
                appendU8(page, 0x01); // ascending
            } else {
                appendU16(page, 0xFFFF);
                appendU8(page, 0x00);
            }
        }
        appendU32(page, index.mapPointer);
        appendU32(page, index.rootPage);
        appendU32(page, 0);
        appendU8(page, index.flags);
        page.insert(page.end(), 5, 0);
    }
    for (std::size_t i = 0; i < table.indexes.size(); ++i) {
        appendU32(page, kDescriptorMarker);
        appendU32(page, static_cast<std::uint32_t>(i)); // logical number
        appendU32(page, static_cast<std::uint32_t>(i)); // physical index it uses
        appendU8(page, 0);
        appendU32(page, 0xFFFFFFFF);
        appendU32(page, 0);
        appendU8(page, 0x04); // cascade bytes as Access writes them
        appendU8(page, 0x04);
        appendU8(page, table.indexes[i].primaryKey ? 1 : 0);
        appendU32(page, 0);
    }
    for (const auto& index : table.indexes)
        appendName(page, index.name);
    for (const auto& lv : table.longValueMaps) {
        appendU16(page, lv.columnNumber);
        appendU32(page, lv.ownedMap);
        appendU32(page, lv.freeMap);
    }
    appendU16(page, 0xFFFF);

    const std::size_t used = page.size();
    if (used + 8 > kJetPageSize)
        throw JetError(
            "Definizione di tabella troppo grande per una pagina (troppe colonne o nomi troppo lunghi).");
    putU16(page.data() + 2, static_cast<std::uint32_t>(kJetPageSize - used - 8));
    putU32(page.data() + 8, static_cast<std::uint32_t>(used));
    page.resize(kJetPageSize, 0);
    return page;
}

} // namespace jet
