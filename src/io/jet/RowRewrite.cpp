#include "io/jet/RowRewrite.h"

#include "io/jet/DataPage.h"
#include "io/jet/JetError.h"
#include "io/jet/PageImage.h"

#include <algorithm>

namespace jet::engine {

namespace {

void putU16(std::vector<std::uint8_t>& out, std::size_t pos, std::size_t value) {
    out[pos] = static_cast<std::uint8_t>(value & 0xFF);
    out[pos + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

void appendU16(std::vector<std::uint8_t>& out, std::size_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

} // namespace

std::vector<std::uint8_t> rewriteRow(const StoredRow& row, const std::vector<ColumnChange>& changes,
                                     std::size_t minimumSize) {
    const ByteView old = row.bytes();
    for (const ColumnChange& change : changes) {
        if (change.column->isFixed() || change.column->varIndex >= row.variableCount() ||
            change.column->number >= row.columnCount()) {
            throw JetError("Il campo \"" + change.column->name +
                           "\" non può essere modificato in questa riga (riga scritta prima del campo).");
        }
    }
    auto changeFor = [&](std::size_t varIndex) -> const ColumnChange* {
        for (const ColumnChange& change : changes) {
            if (change.column->varIndex == varIndex) {
                return &change;
            }
        }
        return nullptr;
    };

    const std::size_t varAreaStart = row.variableAreaStart();
    std::vector<std::uint8_t> out(old.data(), old.data() + varAreaStart);
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < row.variableCount(); ++i) {
        starts.push_back(out.size());
        if (const ColumnChange* change = changeFor(i)) {
            if (change->bytes) {
                out.insert(out.end(), change->bytes->begin(), change->bytes->end());
            }
        } else {
            const ByteView value = old.sub(row.variableStart(i), row.variableEnd(i) - row.variableStart(i));
            out.insert(out.end(), value.data(), value.data() + value.size());
        }
    }
    const std::size_t endOfData = out.size();
    const std::size_t maskSize = old.size() - row.nullMaskStart();
    const std::size_t trailerSize = 2 + 2 * row.variableCount() + 2 + maskSize;
    if (endOfData + trailerSize < minimumSize) {
        out.resize(minimumSize - trailerSize, 0);
    }
    appendU16(out, endOfData);
    for (std::size_t i = row.variableCount(); i-- > 0;) {
        appendU16(out, starts[i]);
    }
    appendU16(out, row.variableCount());
    const std::size_t maskStart = out.size();
    out.insert(out.end(), old.data() + row.nullMaskStart(), old.data() + old.size());
    for (const ColumnChange& change : changes) {
        const std::uint16_t number = change.column->number;
        const auto bit = static_cast<std::uint8_t>(1u << (number % 8));
        std::uint8_t& maskByte = out[maskStart + number / 8];
        maskByte = change.bytes ? static_cast<std::uint8_t>(maskByte | bit)
                                : static_cast<std::uint8_t>(maskByte & ~bit);
    }
    if (out.size() > kPageSize) {
        throw JetError("La riga modificata è troppo lunga.");
    }
    return out;
}

std::vector<std::uint8_t> pageWithRewrittenRow(const ByteView& pageBytes, int slot, const StoredRow& row,
                                               const std::vector<ColumnChange>& changes) {
    const DataPage page(pageBytes);
    std::vector<std::uint8_t> out(pageBytes.data(), pageBytes.data() + pageBytes.size());
    const std::size_t slotStart = page.rowStart(slot);
    const std::size_t slotSize = page.rowEnd(slot) - slotStart;

    const std::vector<std::uint8_t> natural = rewriteRow(row, changes, 0);
    if (natural.size() <= slotSize) {
        const std::vector<std::uint8_t> padded = rewriteRow(row, changes, slotSize);
        std::copy(padded.begin(), padded.end(), out.begin() + static_cast<std::ptrdiff_t>(slotStart));
        return out;
    }

    // Lay every row out again from the page end, in slot order, with the new row in its place.
    const int count = page.slotCount();
    std::vector<std::vector<std::uint8_t>> rows;
    std::size_t total = 0;
    for (int i = 0; i < count; ++i) {
        if (i == slot) {
            rows.push_back(natural);
        } else {
            const ByteView other = page.row(i);
            rows.emplace_back(other.data(), other.data() + other.size());
        }
        total += rows.back().size();
    }
    const std::size_t tableEnd = kDataPageHeader + 2 * std::size_t(count);
    if (tableEnd + total > kPageSize) {
        throw JetError("Non c'è spazio nella pagina del database per il nuovo valore del campo.");
    }
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(tableEnd), out.end(), 0);
    std::size_t position = kPageSize;
    for (int i = 0; i < count; ++i) {
        const std::vector<std::uint8_t>& content = rows[static_cast<std::size_t>(i)];
        position -= content.size();
        std::copy(content.begin(), content.end(), out.begin() + static_cast<std::ptrdiff_t>(position));
        putU16(out, kDataPageHeader + 2 * std::size_t(i), position | page.flags(i));
    }
    putU16(out, 2, position - tableEnd);
    return out;
}

} // namespace jet::engine
