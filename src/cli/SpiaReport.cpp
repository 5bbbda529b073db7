#include "cli/SpiaReport.h"

#include "core/DrawArchive.h"

#include <algorithm>

namespace {

// A chance figure as json wants it here: always a real, so "1.0" rather than "1".
QString realNumber(double value) {
    QString text = jsonNumber(value);
    if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e')))
        text += QStringLiteral(".0");
    return text;
}

QString realNumber(const std::optional<double>& value) {
    return value ? realNumber(*value) : QStringLiteral("null");
}

// A draw's date, or nothing for DrawIndex 0.
std::optional<QString> dateOf(const DrawArchive& archive, int draw) {
    if (draw <= 0)
        return std::nullopt;
    return archive.drawDate(draw);
}

// A value of the output: json text on one side, a table field on the other (a null is an empty field).
struct SpiaValue {
    QString json;
    QString field;
};

SpiaValue whole(long long v) {
    const QString text = QString::number(v);
    return {text, text};
}
SpiaValue real(const std::optional<double>& v) {
    const QString text = realNumber(v);
    return {text, v ? text : QString()};
}
SpiaValue text(const std::optional<QString>& v) {
    return {v ? jsonString(*v) : QStringLiteral("null"), v.value_or(QString())};
}

using Members = QList<std::pair<const char*, SpiaValue>>;

QString jsonOf(const Members& members) {
    JsonMembers json;
    for (const auto& [key, value] : members)
        json.append({key, value.json});
    return jsonObject(json);
}

Members summary(const std::vector<SpyTable>& tables, const SpiaOptions& o, const DrawArchive& archive) {
    const SpySettings& s = o.settings;
    long long eventi = 0;
    long long completi = 0;
    for (const SpyTable& t : tables) {
        eventi += t.eventi;
        completi += t.eventiCompleti;
    }
    const int last = s.last > 0 ? s.last : archive.drawCount();
    const bool anyDraw = s.first >= 1 && s.first <= last;
    return {
        {"spia", o.tutteLeSpie ? text(std::nullopt) : whole(s.spia)},
        {"ruota", text(archive.wheelCode(s.ruota))},
        {"ruota_seguenti", text(archive.wheelCode(s.ruotaSeguenti))},
        {"colpi", whole(s.colpi)},
        {"eventi", whole(eventi)},
        {"eventi_completi", whole(completi)},
        {"dal", text(anyDraw ? dateOf(archive, s.first) : std::nullopt)},
        {"al", text(anyDraw ? dateOf(archive, last) : std::nullopt)},
    };
}

Members row(const SpyFollower& f, const DrawArchive& archive) {
    return {
        {"spia", whole(f.spia)},
        {"numero", whole(f.numero)},
        {"presenze", whole(f.presenze)},
        {"attese", real(f.attese)},
        {"deviazione", real(f.deviazione)},
        {"z", real(f.z)},
        {"p", real(f.p)},
        {"p_holm", real(f.pHolm)},
        {"uscite", whole(f.uscite)},
        {"ultima_presenza", text(dateOf(archive, f.ultimaPresenza))},
        {"ritardo_presenza", whole(f.ritardoPresenza)},
    };
}

} // namespace

QByteArray spiaReport(const std::vector<SpyTable>& tables, const SpiaOptions& options, const DrawArchive& archive) {
    std::vector<const SpyFollower*> ranked = rankSpyFollowers(tables);
    if (options.primi > 0 && ranked.size() > static_cast<std::size_t>(options.primi))
        ranked.resize(static_cast<std::size_t>(options.primi));
    const Members head = summary(tables, options, archive);

    QString out;
    if (options.formato == TableFormat::Json) {
        out += QStringLiteral("{\"riepilogo\": ") + jsonOf(head) + QStringLiteral(",\n\"seguenti\": [");
        for (std::size_t i = 0; i < ranked.size(); ++i)
            out += (i > 0 ? QStringLiteral(",\n") : QStringLiteral("\n")) + jsonOf(row(*ranked[i], archive));
        out += ranked.empty() ? QStringLiteral("]}\n") : QStringLiteral("\n]}\n");
        return out.toUtf8();
    }
    for (const auto& [key, value] : head)
        out += tableLine({QLatin1String(key), value.field}, options.formato);
    out += QLatin1Char('\n');
    QStringList keys;
    for (const auto& member : row(tables.front().seguenti.front(), archive))
        keys << QLatin1String(member.first);
    out += tableLine(keys, options.formato);
    for (const SpyFollower* f : ranked) {
        QStringList fields;
        for (const auto& member : row(*f, archive))
            fields << member.second.field;
        out += tableLine(fields, options.formato);
    }
    return out.toUtf8();
}
