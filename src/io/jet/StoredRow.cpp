#include "io/jet/StoredRow.h"

#include "io/jet/LongValue.h"
#include "io/jet/StoredText.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace jet::engine {

namespace {

template <typename T> std::string decimal(T value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string hex(const ByteView& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out += digits[bytes.u8(i) >> 4];
        out += digits[bytes.u8(i) & 0x0F];
    }
    return out;
}

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void civilFromDays(long long days, long long& year, unsigned& month, unsigned& day) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<long long>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
}

// A stored date: days since 1899-12-30; the fraction is the time of day, positive even when the
// day is negative.
std::string dateText(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6) {
        return decimal(value);
    }
    long long days = static_cast<long long>(std::trunc(value));
    long long seconds = std::llround(std::fabs(value - std::trunc(value)) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++days;
    }
    constexpr long long kEpochOffset = 25569; // 1899-12-30 to 1970-01-01
    long long year = 0;
    unsigned month = 0;
    unsigned day = 0;
    civilFromDays(days - kEpochOffset, year, month, day);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04lld-%02u-%02u %02lld:%02lld:%02lld", year, month, day,
                  seconds / 3600, (seconds / 60) % 60, seconds % 60);
    return buffer;
}

std::string currencyText(std::int64_t value) {
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string text = (negative ? "-" : "") + decimal(magnitude / 10000);
    std::string fraction = decimal(magnitude % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    return fraction.empty() ? text : text + "." + fraction;
}

} // namespace

StoredRow::StoredRow(ByteView row, const TableDefinition& table) : m_row(row) {
    m_columnCount = m_row.u16(0);
    const std::size_t maskSize = (std::size_t{m_columnCount} + 7) / 8;
    m_row.require(2, maskSize);
    m_nullMaskStart = m_row.size() - maskSize;
    if (table.variableColumnCount() == 0) {
        m_endOfData = m_nullMaskStart;
        return;
    }
    if (m_nullMaskStart < 4) {
        m_row.damaged("riga troppo corta");
    }
    const std::size_t countPos = m_nullMaskStart - 2;
    const std::uint16_t varCount = m_row.u16(countPos);
    if (2 * (std::size_t{varCount} + 1) + 2 > countPos) {
        m_row.damaged("riga con troppe colonne variabili");
    }
    const std::size_t eodPos = countPos - 2 * (std::size_t{varCount} + 1);
    m_endOfData = m_row.u16(eodPos);
    std::size_t previous = 2;
    for (std::size_t i = 0; i < varCount; ++i) {
        const std::size_t start = m_row.u16(countPos - 2 * (i + 1));
        if (start < previous) {
            m_row.damaged("posizioni delle colonne variabili non ordinate");
        }
        m_varStarts.push_back(start);
        previous = start;
    }
    if (m_endOfData < previous || m_endOfData > eodPos) {
        m_row.damaged("fine dei dati della riga incoerente");
    }
}

std::size_t StoredRow::variableEnd(std::size_t varIndex) const {
    return varIndex + 1 < m_varStarts.size() ? m_varStarts[varIndex + 1] : m_endOfData;
}

std::size_t StoredRow::variableAreaStart() const {
    return m_varStarts.empty() ? m_endOfData : m_varStarts.front();
}

bool StoredRow::isPresent(const ColumnInfo& column) const {
    if (column.number >= m_columnCount) {
        return false;
    }
    return (m_row.u8(m_nullMaskStart + column.number / 8) & (1u << (column.number % 8))) != 0;
}

std::optional<ByteView> StoredRow::value(const ColumnInfo& column) const {
    if (!isPresent(column)) {
        return std::nullopt;
    }
    if (column.isFixed()) {
        const std::size_t start = 2 + std::size_t{column.fixedOffset};
        if (start + column.length > variableAreaStart()) {
            m_row.damaged("colonna fissa fuori dalla riga");
        }
        return m_row.sub(start, column.length);
    }
    if (column.varIndex >= m_varStarts.size()) {
        return std::nullopt;
    }
    const std::size_t start = m_varStarts[column.varIndex];
    return m_row.sub(start, variableEnd(column.varIndex) - start);
}

std::optional<std::string> StoredRow::text(const ColumnInfo& column, const PageImage& image) const {
    if (column.isType(StoredType::Boolean)) {
        return std::string(isPresent(column) ? "1" : "0");
    }
    const std::optional<ByteView> bytes = value(column);
    if (!bytes) {
        return std::nullopt;
    }
    const ByteView& v = *bytes;
    switch (static_cast<StoredType>(column.type)) {
    case StoredType::Byte:
        return decimal(v.u8(0));
    case StoredType::Int:
        return decimal(static_cast<std::int16_t>(v.u16(0)));
    case StoredType::Long:
        return decimal(static_cast<std::int32_t>(v.u32(0)));
    case StoredType::Currency:
        return currencyText(static_cast<std::int64_t>(v.u64(0)));
    case StoredType::Float:
        return decimal(std::bit_cast<float>(v.u32(0)));
    case StoredType::Double:
        return decimal(v.f64(0));
    case StoredType::DateTime:
        return dateText(v.f64(0));
    case StoredType::Text:
        return decodeStoredText(v.data(), v.size());
    case StoredType::Memo: {
        const std::vector<std::uint8_t> memo = readLongValue(image, v);
        return decodeStoredText(memo.data(), memo.size());
    }
    case StoredType::Ole: {
        const std::vector<std::uint8_t> ole = readLongValue(image, v);
        return hex(ByteView(ole.data(), ole.size(), &image.path()));
    }
    default:
        return hex(v);
    }
}

} // namespace jet::engine
