#include "cli/StatisticheReport.h"

#include "core/DrawArchive.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

// One value of the output: a null, a whole number, a real number or a text.
struct StatisticheValue {
    enum class Kind { Null, Whole, Real, Text };
    Kind kind = Kind::Null;
    long long whole = 0;
    double real = 0.0;
    std::string_view text;

    static StatisticheValue of(long long v) { return {Kind::Whole, v, 0.0, {}}; }
    static StatisticheValue of(double v) {
        return std::isfinite(v) ? StatisticheValue{Kind::Real, 0, v, {}} : StatisticheValue{};
    }
    static StatisticheValue of(const std::optional<double>& v) { return v ? of(*v) : StatisticheValue{}; }
    static StatisticheValue of(std::string_view v) { return {Kind::Text, 0, 0.0, v}; }
};

// A streaming writer of one summary and one table in tsv, csv or json. Real numbers are written in full:
// the shortest text that reads back as the same double.
class StatisticheWriter {
public:
    explicit StatisticheWriter(StatisticheOptions::Format format) : m_format(format) {
        if (m_format == StatisticheOptions::Format::Json)
            m_out += "{\"riepilogo\": {";
    }

    void summary(std::string_view key, const StatisticheValue& value) {
        if (m_format == StatisticheOptions::Format::Json) {
            if (m_summaryItems++ > 0)
                m_out += ", ";
            member(key, value);
            return;
        }
        textField(key);
        m_out += separator();
        valueField(value);
        m_out += '\n';
    }

    void columns(std::span<const std::string_view> keys) {
        m_keys.assign(keys.begin(), keys.end());
        if (m_format == StatisticheOptions::Format::Json) {
            m_out += "},\n\"elementi\": [";
            return;
        }
        m_out += '\n';
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (i > 0)
                m_out += separator();
            textField(keys[i]);
        }
        m_out += '\n';
    }

    void row(std::span<const StatisticheValue> values) {
        if (m_format == StatisticheOptions::Format::Json) {
            m_out += m_rows++ > 0 ? ",\n{" : "\n{";
            for (std::size_t i = 0; i < values.size(); ++i) {
                if (i > 0)
                    m_out += ", ";
                member(m_keys[i], values[i]);
            }
            m_out += '}';
            return;
        }
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i > 0)
                m_out += separator();
            valueField(values[i]);
        }
        m_out += '\n';
    }

    std::string finish() {
        if (m_format == StatisticheOptions::Format::Json)
            m_out += m_rows > 0 ? "\n]}\n" : "]}\n";
        return std::move(m_out);
    }

    void reserve(std::size_t bytes) { m_out.reserve(bytes); }

private:
    char separator() const { return m_format == StatisticheOptions::Format::Csv ? ',' : '\t'; }

    // Whole and real numbers alike: to_chars writes a double's shortest exact text.
    template <typename Number> void number(Number v) {
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
        m_out.append(buffer, end);
    }

    void jsonString(std::string_view s) {
        m_out += '"';
        for (const char c : s) {
            if (c == '"' || c == '\\') {
                m_out += '\\';
                m_out += c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                m_out += escape;
            } else {
                m_out += c;
            }
        }
        m_out += '"';
    }

    void member(std::string_view key, const StatisticheValue& value) {
        jsonString(key);
        m_out += ": ";
        valueField(value);
    }

    // A text field of a table: csv quotes what holds a separator, a quote or a line break; tsv cannot
    // hold a tab or a line break and turns them into blanks.
    void textField(std::string_view text) {
        if (m_format == StatisticheOptions::Format::Csv &&
            text.find_first_of(",\"\r\n") != std::string_view::npos) {
            m_out += '"';
            for (const char c : text) {
                if (c == '"')
                    m_out += '"';
                m_out += c;
            }
            m_out += '"';
            return;
        }
        for (const char c : text)
            m_out += c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
    }

    // A value as json writes it, or as a table's field (a null is an empty field there).
    void valueField(const StatisticheValue& value) {
        const bool json = m_format == StatisticheOptions::Format::Json;
        switch (value.kind) {
        case StatisticheValue::Kind::Null:
            if (json)
                m_out += "null";
            break;
        case StatisticheValue::Kind::Whole:
            number(value.whole);
            break;
        case StatisticheValue::Kind::Real:
            number(value.real);
            break;
        case StatisticheValue::Kind::Text:
            json ? jsonString(value.text) : textField(value.text);
            break;
        }
    }

    StatisticheOptions::Format m_format;
    std::string m_out;
    std::vector<std::string_view> m_keys;
    int m_summaryItems = 0;
    int m_rows = 0;
};

constexpr std::array<std::string_view, 11> StatisticheKeys{
    "ruota",         "numeri",        "frequenza", "frequenza_attesa", "z", "ritardo", "ritardo_massimo",
    "ritardo_medio", "ultima_uscita", "p_ritardo", "p_ritardo_holm"};

// Texts the table repeats: wheel codes, the numbers of each item, the date of each draw, made once.
class StatisticheTexts {
public:
    StatisticheTexts(const DrawArchive& archive, Sorte sorte) : m_archive(archive), m_sorte(sorte) {
        for (int w = 0; w <= TutteWheel; ++w)
            m_wheels[static_cast<std::size_t>(w)] = archive.wheelCode(w).toStdString();
        m_numbers.resize(static_cast<std::size_t>(itemCount(sorte)));
        m_dates.resize(static_cast<std::size_t>(archive.drawCount()) + 1);
    }

    std::string_view wheel(int w) const { return m_wheels[static_cast<std::size_t>(w)]; }

    std::string_view numbers(int item) {
        std::string& text = m_numbers[static_cast<std::size_t>(item)];
        if (text.empty()) {
            const auto [a, b] = itemNumbers(m_sorte, item);
            text = b == 0 ? std::to_string(a) : std::to_string(a) + '-' + std::to_string(b);
        }
        return text;
    }

    std::string_view date(int draw) {
        std::string& text = m_dates[static_cast<std::size_t>(draw)];
        if (text.empty())
            text = m_archive.drawDate(draw).toStdString();
        return text;
    }

private:
    const DrawArchive& m_archive;
    Sorte m_sorte;
    std::array<std::string, TutteWheel + 1> m_wheels;
    std::vector<std::string> m_numbers;
    std::vector<std::string> m_dates;
};

} // namespace

QByteArray statisticheReport(const DelayStatistics& s, const StatisticheOptions& options,
                             const DrawArchive& archive) {
    const std::vector<int> ranked = rankDelayItems(s.items, options.ordina);
    const std::size_t shown =
        options.primi > 0 ? std::min(ranked.size(), static_cast<std::size_t>(options.primi)) : ranked.size();
    StatisticheTexts texts(archive, s.sorte);

    StatisticheWriter out(options.formato);
    out.reserve(512 + shown * 240);
    const bool anyDraw = s.first <= s.last;
    out.summary("estrazioni",
                StatisticheValue::of(static_cast<long long>(std::max(s.last - s.first + 1, 0))));
    out.summary("dal", anyDraw ? StatisticheValue::of(texts.date(s.first)) : StatisticheValue{});
    out.summary("al", anyDraw ? StatisticheValue::of(texts.date(s.last)) : StatisticheValue{});
    out.summary("sorte",
                StatisticheValue::of(std::string_view(s.sorte == Sorte::Estratto ? "estratto" : "ambo")));
    out.summary("elementi", StatisticheValue::of(static_cast<long long>(s.items.size())));
    out.summary("probabilita_uscita_ruota", StatisticheValue::of(nextDrawChance(s.sorte, 0)));
    out.summary("probabilita_uscita_tutte", StatisticheValue::of(nextDrawChance(s.sorte, TutteWheel)));
    out.columns(StatisticheKeys);
    for (std::size_t r = 0; r < shown; ++r) {
        const DelayItem& d = s.items[static_cast<std::size_t>(ranked[r])];
        const std::array<StatisticheValue, StatisticheKeys.size()> values{
            StatisticheValue::of(texts.wheel(d.wheel)),
            StatisticheValue::of(texts.numbers(d.item)),
            StatisticheValue::of(static_cast<long long>(d.frequenza)),
            StatisticheValue::of(d.frequenzaAttesa),
            StatisticheValue::of(d.z),
            StatisticheValue::of(static_cast<long long>(d.ritardo)),
            StatisticheValue::of(static_cast<long long>(d.ritardoMassimo)),
            StatisticheValue::of(d.ritardoMedio),
            d.ultimaUscita > 0 ? StatisticheValue::of(texts.date(d.ultimaUscita)) : StatisticheValue{},
            StatisticheValue::of(d.pRitardo),
            StatisticheValue::of(d.pRitardoHolm),
        };
        out.row(values);
    }
    const std::string text = out.finish();
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}
