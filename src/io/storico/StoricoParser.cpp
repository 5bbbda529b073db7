#include "io/storico/StoricoParser.h"

#include "io/storico/ShownText.h"

#include <algorithm>
#include <array>

namespace storico {

namespace {

bool isSeparator(char c) {
    return c == '\t' || c == ' ' || c == ';' || c == ',' || c == '\r' || c == '\f' || c == '\v';
}

// The fields of a line; lines have seven of them, so a few more than that is all that is kept.
struct Fields {
    static constexpr std::size_t Kept = 9;
    std::array<std::string_view, Kept> items;
    std::size_t count = 0;
};

Fields splitFields(std::string_view line) {
    Fields fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isSeparator(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !isSeparator(line[i]))
            ++i;
        if (i > start) {
            if (fields.count < Fields::Kept)
                fields.items[fields.count] = line.substr(start, i - start);
            ++fields.count;
        }
    }
    return fields;
}

std::string quoted(std::string_view text) {
    return "'" + shownText(text, QuotedCharacters) + "'";
}

// A text saved as UTF-16 (a byte order mark, or a NUL beside every character of its first line) reads
// as bytes as one bad line after another: it is named for what it is instead.
bool isUtf16(std::string_view text) {
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF"))
        return true;
    const std::size_t checked = std::min<std::size_t>(text.size(), 64) & ~std::size_t{1};
    if (checked < 4)
        return false;
    std::array<std::size_t, 2> nuls{};
    for (std::size_t i = 0; i < checked; ++i)
        nuls[i % 2] += text[i] == '\0';
    const std::size_t pairs = checked / 2;
    return (nuls[0] == pairs && nuls[1] == 0) || (nuls[1] == pairs && nuls[0] == 0);
}

// Digits only (zero padding allowed); -1 for anything else or an absurd length.
int fieldNumber(std::string_view field) {
    if (field.empty() || field.size() > 3)
        return -1;
    int value = 0;
    for (char c : field) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

StoricoParser::LineResult StoricoParser::parseLine(std::string_view line) {
    const auto fields = splitFields(line);
    if (fields.count == 0)
        return std::monostate{};

    WheelRow row;
    const auto date = CalendarDate::parse(fields.items[0]);
    if (!date)
        return "data non valida " + quoted(fields.items[0]);
    row.date = *date;

    if (fields.count < 2)
        return std::string("mancano la ruota e i numeri");
    const auto wheel = wheelFromCode(fields.items[1]);
    if (!wheel)
        return "ruota sconosciuta " + quoted(fields.items[1]);
    row.wheel = *wheel;

    const std::size_t count = fields.count - 2;
    if (count != NumbersPerWheel)
        return (count == 1 ? "attesi 5 numeri, trovato " : "attesi 5 numeri, trovati ") +
               std::to_string(count);
    for (std::size_t i = 0; i < NumbersPerWheel; ++i) {
        const auto field = fields.items[i + 2];
        const int number = fieldNumber(field);
        if (number < 0)
            return quoted(field) + " non è un numero";
        if (number < 1 || number > 90)
            return "numero " + std::to_string(number) + " fuori da 1-90";
        if (std::find(row.numbers.begin(), row.numbers.begin() + static_cast<long>(i), number) !=
            row.numbers.begin() + static_cast<long>(i))
            return "numero " + std::to_string(number) + " ripetuto";
        row.numbers[i] = number;
    }
    return row;
}

StoricoParser::Result StoricoParser::parseText(std::string_view text, const std::string& fileName) {
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (text.starts_with(bom))
        text.remove_prefix(bom.size());

    Result result;
    if (isUtf16(text)) {
        result.errors.push_back(
            {{fileName, 1}, "il file è in UTF-16: salvarlo come testo semplice (UTF-8) e rileggerlo"});
        result.errorCount = 1;
        return result;
    }
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        ++lineNumber;
        const SourcePlace place{fileName, lineNumber};
        const auto parsed = parseLine(text.substr(start, end - start));
        if (const auto* row = std::get_if<WheelRow>(&parsed)) {
            result.rows.push_back(*row);
            result.rows.back().place = place;
        } else if (const auto* message = std::get_if<std::string>(&parsed)) {
            if (result.errors.size() < MaxKeptErrors)
                result.errors.push_back({place, *message});
            ++result.errorCount;
        }
        start = end + 1;
    }
    return result;
}

} // namespace storico
