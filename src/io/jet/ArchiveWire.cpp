#include "io/jet/ArchiveWire.h"

#include "io/jet/JetError.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace jet::wire {

namespace {

constexpr std::string_view kCount = "COUNT ";
constexpr std::string_view kProgress = "PROGRESS ";
constexpr std::string_view kRow = "ROW";
constexpr std::string_view kEnd = "END";
constexpr std::string_view kError = "ERROR\t";
constexpr std::string_view kDamage = "DAMAGE\t";

[[noreturn]] void malformed(std::string_view what) {
    throw JetError("risposta non valida dal programma di lettura: " + std::string(what));
}

std::string unescapeText(std::string_view text) {
    // Most texts have nothing escaped: taken whole.
    if (std::none_of(text.begin(), text.end(), [](char c) { return c == '\\' || c == '\t' || c == '\n'; }))
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\t' || c == '\n')
            malformed("carattere di controllo non protetto in un testo");
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == text.size())
            malformed("sequenza di escape incompleta");
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case '0':
            out += '\0';
            break;
        default:
            malformed("sequenza di escape sconosciuta");
        }
    }
    return out;
}

// Appends text with backslash, tab, line feed, carriage return and NUL escaped.
void appendEscaped(std::string& out, std::string_view text) {
    const auto special = [](char c) { return c == '\\' || c == '\t' || c == '\n' || c == '\r' || c == '\0'; };
    if (std::none_of(text.begin(), text.end(), special)) {
        out.append(text);
        return;
    }
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\0':
            out += "\\0";
            break;
        default:
            out += c;
        }
    }
}

void appendField(std::string& out, const QueryField& field) {
    if (field.isNull) {
        out += 'N';
        return;
    }
    if (field.isDate) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &field.date, sizeof bits);
        static constexpr char digits[] = "0123456789abcdef";
        char hex[17];
        hex[0] = 'D';
        for (int i = 16; i >= 1; --i) {
            hex[i] = digits[bits & 0xF];
            bits >>= 4;
        }
        out.append(hex, sizeof hex);
        return;
    }
    out += 'T';
    appendEscaped(out, field.text);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

QueryField decodeField(std::string_view text) {
    QueryField field;
    if (text.empty())
        malformed("campo vuoto");
    switch (text[0]) {
    case 'N':
        if (text.size() != 1)
            malformed("campo NULL con dati");
        field.isNull = true;
        break;
    case 'D': {
        if (text.size() != 17)
            malformed("data di lunghezza errata");
        std::uint64_t bits = 0;
        for (std::size_t i = 1; i < text.size(); ++i) {
            const int digit = hexDigit(text[i]);
            if (digit < 0)
                malformed("data non esadecimale");
            bits = (bits << 4) | static_cast<std::uint64_t>(digit);
        }
        field.isDate = true;
        std::memcpy(&field.date, &bits, sizeof bits);
        break;
    }
    case 'T':
        field.text = unescapeText(text.substr(1));
        break;
    default:
        malformed("tipo di campo sconosciuto");
    }
    return field;
}

template <typename T> T parseNumber(std::string_view text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < 0)
        malformed("numero non valido");
    return value;
}

} // namespace

std::string escapeText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    appendEscaped(out, text);
    return out;
}

std::string encodeField(const QueryField& field) {
    std::string out;
    appendField(out, field);
    return out;
}

std::string countLine(long long rowCount, int columnCount) {
    return std::string(kCount) + std::to_string(rowCount) + ' ' + std::to_string(columnCount) + '\n';
}

std::string progressLine(long long rowsRead, long long rowsExpected) {
    return std::string(kProgress) + std::to_string(rowsRead) + ' ' + std::to_string(rowsExpected) + '\n';
}

std::string rowLine(const std::vector<QueryField>& fields) {
    std::string out;
    out.reserve(kRow.size() + 20 * fields.size() + 1);
    out.append(kRow);
    for (const QueryField& field : fields) {
        out += '\t';
        appendField(out, field);
    }
    out += '\n';
    return out;
}

std::string endLine() {
    return std::string(kEnd) + '\n';
}

std::string errorLine(std::string_view message) {
    return std::string(kError) + escapeText(message) + '\n';
}

std::string damageLine(std::string_view message) {
    return std::string(kDamage) + escapeText(message) + '\n';
}

Line decodeLine(std::string_view line) {
    Line out;
    if (line.starts_with(kCount) || line.starts_with(kProgress)) {
        const bool count = line.starts_with(kCount);
        const std::string_view rest = line.substr(count ? kCount.size() : kProgress.size());
        const std::size_t space = rest.find(' ');
        if (space == std::string_view::npos)
            malformed(count ? "COUNT senza numero di colonne" : "PROGRESS senza righe attese");
        const auto first = parseNumber<long long>(rest.substr(0, space));
        if (count) {
            out.kind = LineKind::Count;
            out.rowCount = first;
            out.columnCount = parseNumber<int>(rest.substr(space + 1));
        } else {
            out.kind = LineKind::Progress;
            out.rowsRead = first;
            out.rowsExpected = parseNumber<long long>(rest.substr(space + 1));
        }
        return out;
    }
    if (line == kEnd) {
        out.kind = LineKind::End;
        return out;
    }
    if (line.starts_with(kError) || line.starts_with(kDamage)) {
        const bool damage = line.starts_with(kDamage);
        out.kind = damage ? LineKind::Damage : LineKind::Error;
        out.message = unescapeText(line.substr(damage ? kDamage.size() : kError.size()));
        return out;
    }
    if (line.starts_with(kRow) && (line.size() == kRow.size() || line[kRow.size()] == '\t')) {
        out.kind = LineKind::Row;
        std::size_t pos = kRow.size();
        while (pos < line.size()) {
            const std::size_t start = pos + 1;
            std::size_t end = line.find('\t', start);
            if (end == std::string_view::npos)
                end = line.size();
            out.fields.push_back(decodeField(line.substr(start, end - start)));
            pos = end;
        }
        return out;
    }
    const std::size_t shown = line.size() < 40 ? line.size() : 40;
    malformed("riga sconosciuta \"" + escapeText(line.substr(0, shown)) + "\"");
}

} // namespace jet::wire
