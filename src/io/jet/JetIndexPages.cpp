#include "io/jet/JetIndexPages.h"

#include "io/jet/JetError.h"
#include "io/jet/JetTableLayout.h"

namespace jet {

namespace {

constexpr std::size_t kEntryStart = 0x1E0;
constexpr std::size_t kBitmapStart = 27;
constexpr std::size_t kChildPointerBytes = 4;

struct IndexPage {
    std::uint32_t number = 0;
    std::vector<const Bytes*> stored;          // entries written on the page
    std::vector<std::uint32_t> storedChildren; // node pages: child of each stored entry
    std::uint32_t tail = 0;
    std::uint32_t prev = 0;
    std::uint32_t next = 0;
    const Bytes* lastLeafEntry = nullptr; // last entry of the whole subtree
};

void appendBigEndian32(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

Bytes renderPage(const IndexPage& p, bool leaf, std::uint32_t tableDefinitionPage) {
    Bytes page(kJetPageSize, 0);
    page[0] = leaf ? kPageIndexLeaf : kPageIndexNode;
    page[1] = 0x01;
    putU32(page.data() + 4, tableDefinitionPage);
    putU32(page.data() + 12, p.prev);
    putU32(page.data() + 16, p.next);
    putU32(page.data() + 20, p.tail);
    std::size_t at = kEntryStart;
    for (std::size_t i = 0; i < p.stored.size(); ++i) {
        Bytes entry = *p.stored[i];
        if (!leaf)
            appendBigEndian32(entry, p.storedChildren[i]);
        if (at + entry.size() > kJetPageSize)
            throw JetError("Voce di indice troppo lunga.");
        std::copy(entry.begin(), entry.end(), page.begin() + static_cast<std::ptrdiff_t>(at));
        at += entry.size();
        const std::size_t end = at - kEntryStart;
        page[kBitmapStart + end / 8] =
            static_cast<std::uint8_t>(page[kBitmapStart + end / 8] | 1u << (end % 8));
    }
    putU16(page.data() + 2, static_cast<std::uint32_t>(kJetPageSize - at));
    return page;
}

} // namespace

Bytes indexLeafEntry(const Bytes& key, std::uint32_t dataPage, std::uint8_t row) {
    Bytes entry = key;
    entry.push_back(static_cast<std::uint8_t>(dataPage >> 16));
    entry.push_back(static_cast<std::uint8_t>(dataPage >> 8));
    entry.push_back(static_cast<std::uint8_t>(dataPage));
    entry.push_back(row);
    return entry;
}

JetIndexPages buildIndexPages(const std::vector<Bytes>& entries, std::uint32_t tableDefinitionPage,
                              std::uint32_t firstPage) {
    std::uint32_t nextNumber = firstPage;
    std::vector<IndexPage> leaves;
    {
        IndexPage current;
        std::size_t used = 0;
        for (const Bytes& e : entries) {
            if (e.size() > kIndexEntryArea / 2)
                throw JetError("Voce di indice troppo lunga.");
            if (!current.stored.empty() && used + e.size() > kIndexEntryArea) {
                leaves.push_back(current);
                current = IndexPage{};
                used = 0;
            }
            current.stored.push_back(&e);
            current.lastLeafEntry = &e;
            used += e.size();
        }
        leaves.push_back(current);
        for (auto& leaf : leaves)
            leaf.number = nextNumber++;
        for (std::size_t i = 0; i < leaves.size(); ++i) {
            leaves[i].prev = i > 0 ? leaves[i - 1].number : 0;
            leaves[i].next = i + 1 < leaves.size() ? leaves[i + 1].number : 0;
        }
    }

    JetIndexPages out;
    for (const auto& leaf : leaves)
        out.pages.push_back(renderPage(leaf, true, tableDefinitionPage));

    std::vector<IndexPage> level = leaves;
    std::vector<std::vector<IndexPage>> nodeLevels;
    while (level.size() > 1) {
        std::vector<IndexPage> parents;
        std::vector<std::vector<std::size_t>> groups;
        std::size_t stored = 0; // bytes stored for the current group, all children but its last
        for (std::size_t i = 0; i < level.size(); ++i) {
            const std::size_t lastSize =
                groups.empty() ? 0 : level[groups.back().back()].lastLeafEntry->size() + kChildPointerBytes;
            if (groups.empty() || stored + lastSize > kIndexEntryArea) {
                groups.push_back({i});
                stored = 0;
                continue;
            }
            stored += lastSize;
            groups.back().push_back(i);
        }
        for (const auto& group : groups) {
            IndexPage parent;
            parent.number = nextNumber++;
            const bool withTail = group.size() > 1;
            const std::size_t storedCount = withTail ? group.size() - 1 : 1;
            for (std::size_t k = 0; k < storedCount; ++k) {
                parent.stored.push_back(level[group[k]].lastLeafEntry);
                parent.storedChildren.push_back(level[group[k]].number);
            }
            parent.tail = withTail ? level[group.back()].number : 0;
            parent.lastLeafEntry = level[group.back()].lastLeafEntry;
            parents.push_back(parent);
        }
        // Node pages are chained only among children of the same parent; leaves are chained throughout.
        if (!nodeLevels.empty()) {
            auto& children = nodeLevels.back();
            for (const auto& group : groups)
                for (std::size_t k = 0; k < group.size(); ++k) {
                    children[group[k]].prev = k > 0 ? children[group[k - 1]].number : 0;
                    children[group[k]].next = k + 1 < group.size() ? children[group[k + 1]].number : 0;
                }
        }
        nodeLevels.push_back(parents);
        level = parents;
    }
    for (const auto& nodes : nodeLevels)
        for (const auto& node : nodes)
            out.pages.push_back(renderPage(node, false, tableDefinitionPage));
    out.rootPage = level.front().number;
    return out;
}

} // namespace jet
