#include "io/jet/JetRowEncoder.h"

#include "io/jet/JetError.h"

#include <algorithm>

namespace jet {

Bytes encodeJetRow(const std::vector<JetColumnLayout>& columns,
                   const std::vector<std::optional<Bytes>>& values) {
    if (values.size() != columns.size())
        throw JetError("Riga con un numero di valori diverso dal numero di colonne.");
    const std::size_t columnCount = columns.size();
    std::size_t fixedSize = 0;
    std::size_t varCount = 0;
    for (const auto& c : columns) {
        if (c.fixed)
            fixedSize = std::max<std::size_t>(fixedSize, c.fixedOffset + std::size_t{c.length});
        else
            varCount = std::max<std::size_t>(varCount, c.varIndex + std::size_t{1});
    }

    Bytes row(2 + fixedSize, 0);
    putU16(row.data(), static_cast<std::uint32_t>(columnCount));
    Bytes nullMask((columnCount + 7) / 8, 0);
    std::vector<const std::optional<Bytes>*> varValues(varCount, nullptr);
    for (std::size_t i = 0; i < columnCount; ++i) {
        const auto& c = columns[i];
        const auto& v = values[i];
        if (v)
            nullMask[c.number / 8] = static_cast<std::uint8_t>(nullMask[c.number / 8] | 1u << (c.number % 8));
        if (c.fixed) {
            if (v) {
                if (v->size() != c.length)
                    throw JetError("Valore di lunghezza errata per la colonna \"" + c.name + "\".");
                std::copy(v->begin(), v->end(), row.begin() + 2 + c.fixedOffset);
            }
        } else {
            varValues[c.varIndex] = &v;
        }
    }

    if (varCount > 0) {
        std::vector<std::size_t> offsets(varCount);
        for (std::size_t k = 0; k < varCount; ++k) {
            offsets[k] = row.size();
            if (varValues[k] && varValues[k]->has_value())
                appendBytes(row, **varValues[k]);
        }
        const std::size_t eod = row.size();
        if (eod > 0xFFFF)
            throw JetError("Riga troppo lunga.");
        appendU16(row, static_cast<std::uint32_t>(eod));
        for (std::size_t k = varCount; k-- > 0;)
            appendU16(row, static_cast<std::uint32_t>(offsets[k]));
        appendU16(row, static_cast<std::uint32_t>(varCount));
    }
    appendBytes(row, nullMask);
    return row;
}

} // namespace jet
