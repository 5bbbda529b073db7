#include "cli/StatisticheReport.h"

#include "cli/TableWriter.h"
#include "core/DrawArchive.h"

#include <QStringList>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace {

// One value of the output: json writes it as such (null, number, string), a table as its text (a null
// as an empty field). Real numbers are written in full: the shortest text that reads back as the same
// double; one that is not finite is a null.
struct StatisticheValue {
    QString json;
    QString text;

    static StatisticheValue null() { return {QStringLiteral("null"), {}}; }
    static StatisticheValue of(long long v) {
        const QString n = QString::number(v);
        return {n, n};
    }
    static StatisticheValue of(double v) {
        if (!std::isfinite(v))
            return null();
        const QString n = jsonNumber(v);
        return {n, n};
    }
    static StatisticheValue of(const std::optional<double>& v) { return v ? of(*v) : null(); }
    static StatisticheValue of(const QString& v) { return {jsonString(v), v}; }
};

constexpr std::array<const char*, 11> StatisticheKeys{
    "ruota",         "numeri",        "frequenza", "frequenza_attesa", "z", "ritardo", "ritardo_massimo",
    "ritardo_medio", "ultima_uscita", "p_ritardo", "p_ritardo_holm"};

// Texts the table repeats: wheel codes, the numbers of each item, the date of each draw, made once.
class StatisticheTexts {
public:
    StatisticheTexts(const DrawArchive& archive, Sorte sorte) : m_archive(archive), m_sorte(sorte) {
        for (int w = 0; w <= TutteWheel; ++w)
            m_wheels[static_cast<std::size_t>(w)] = StatisticheValue::of(archive.wheelCode(w));
        m_numbers.resize(static_cast<std::size_t>(itemCount(sorte)));
        m_dates.resize(static_cast<std::size_t>(archive.drawCount()) + 1);
    }

    const StatisticheValue& wheel(int w) const { return m_wheels[static_cast<std::size_t>(w)]; }

    const StatisticheValue& numbers(int item) {
        std::optional<StatisticheValue>& value = m_numbers[static_cast<std::size_t>(item)];
        if (!value) {
            const auto [a, b] = itemNumbers(m_sorte, item);
            value = StatisticheValue::of(b == 0 ? QString::number(a) : QStringLiteral("%1-%2").arg(a).arg(b));
        }
        return *value;
    }

    const StatisticheValue& date(int draw) {
        std::optional<StatisticheValue>& value = m_dates[static_cast<std::size_t>(draw)];
        if (!value)
            value = StatisticheValue::of(m_archive.drawDate(draw));
        return *value;
    }

private:
    const DrawArchive& m_archive;
    Sorte m_sorte;
    std::array<StatisticheValue, TutteWheel + 1> m_wheels;
    std::vector<std::optional<StatisticheValue>> m_numbers;
    std::vector<std::optional<StatisticheValue>> m_dates;
};

} // namespace

QByteArray statisticheReport(const DelayStatistics& s, const StatisticheOptions& options,
                             const DrawArchive& archive) {
    const std::vector<int> ranked = rankDelayItems(s.items, options.ordina);
    const std::size_t shown =
        options.primi > 0 ? std::min(ranked.size(), static_cast<std::size_t>(options.primi)) : ranked.size();
    StatisticheTexts texts(archive, s.sorte);
    const bool anyDraw = s.first <= s.last;
    const std::array<std::pair<const char*, StatisticheValue>, 7> summary{{
        {"estrazioni", StatisticheValue::of(static_cast<long long>(std::max(s.last - s.first + 1, 0)))},
        {"dal", anyDraw ? texts.date(s.first) : StatisticheValue::null()},
        {"al", anyDraw ? texts.date(s.last) : StatisticheValue::null()},
        {"sorte", StatisticheValue::of(s.sorte == Sorte::Estratto ? QStringLiteral("estratto")
                                                                  : QStringLiteral("ambo"))},
        {"elementi", StatisticheValue::of(static_cast<long long>(s.items.size()))},
        {"probabilita_uscita_ruota", StatisticheValue::of(nextDrawChance(s.sorte, 0))},
        {"probabilita_uscita_tutte", StatisticheValue::of(nextDrawChance(s.sorte, TutteWheel))},
    }};

    const bool json = options.formato == TableFormat::Json;
    QString out;
    out.reserve(static_cast<qsizetype>(512 + shown * 240));
    if (json) {
        JsonMembers members;
        for (const auto& [key, value] : summary)
            members.append({key, value.json});
        out += QLatin1String("{\"riepilogo\": ");
        appendJsonObject(out, members);
        out += QLatin1String(",\n\"elementi\": [");
    } else {
        for (const auto& [key, value] : summary)
            appendTableLine(out, {QLatin1String(key), value.text}, options.formato);
        QStringList header;
        for (const char* key : StatisticheKeys)
            header << QLatin1String(key);
        out += QLatin1Char('\n');
        appendTableLine(out, header, options.formato);
    }

    // One row's members or fields, refilled for every row.
    JsonMembers members;
    QStringList fields;
    for (std::size_t r = 0; r < shown; ++r) {
        const DelayItem& d = s.items[static_cast<std::size_t>(ranked[r])];
        const std::array<StatisticheValue, StatisticheKeys.size()> values{
            texts.wheel(d.wheel),
            texts.numbers(d.item),
            StatisticheValue::of(static_cast<long long>(d.frequenza)),
            StatisticheValue::of(d.frequenzaAttesa),
            StatisticheValue::of(d.z),
            StatisticheValue::of(static_cast<long long>(d.ritardo)),
            StatisticheValue::of(static_cast<long long>(d.ritardoMassimo)),
            StatisticheValue::of(d.ritardoMedio),
            d.ultimaUscita > 0 ? texts.date(d.ultimaUscita) : StatisticheValue::null(),
            StatisticheValue::of(d.pRitardo),
            StatisticheValue::of(d.pRitardoHolm),
        };
        if (json) {
            members.clear();
            for (std::size_t k = 0; k < values.size(); ++k)
                members.append({StatisticheKeys[k], values[k].json});
            out += r > 0 ? QLatin1String(",\n") : QLatin1String("\n");
            appendJsonObject(out, members);
        } else {
            fields.clear();
            for (const StatisticheValue& v : values)
                fields << v.text;
            appendTableLine(out, fields, options.formato);
        }
    }
    if (json)
        out += shown > 0 ? QLatin1String("\n]}\n") : QLatin1String("]}\n");
    return out.toUtf8();
}
