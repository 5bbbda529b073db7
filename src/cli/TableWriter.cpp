#include "cli/TableWriter.h"

#include "io/CsvField.h"

#include <QLocale>
#include <cmath>

namespace {
const char* formatName(TableFormat format) {
    switch (format) {
    case TableFormat::Tsv:
        return "tsv";
    case TableFormat::Csv:
        return "csv";
    case TableFormat::Json:
        break;
    }
    return "json";
}
} // namespace

QString readFormatOption(const QString& value, std::initializer_list<TableFormat> offered,
                         TableFormat& format) {
    const QString name = value.trimmed().toLower();
    QStringList names;
    for (TableFormat f : offered) {
        if (name == QLatin1String(formatName(f))) {
            format = f;
            return {};
        }
        names << QLatin1String(formatName(f));
    }
    // "tsv o csv", "tsv, csv o json"
    const QString last = names.takeLast();
    const QString choices =
        names.isEmpty() ? last : names.join(QStringLiteral(", ")) + QStringLiteral(" o ") + last;
    return QStringLiteral("--formato vuole %1: \"%2\"").arg(choices, value);
}

void appendTableLine(QString& out, const QStringList& fields, TableFormat format) {
    const bool csv = format != TableFormat::Tsv;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += csv ? QLatin1Char(',') : QLatin1Char('\t');
        out += csv ? csvField(fields[i]) : fields[i];
    }
    out += QLatin1Char('\n');
}

QString tableLine(const QStringList& fields, TableFormat format) {
    QString out;
    appendTableLine(out, fields, format);
    return out;
}

namespace {
QChar asQChar(QChar c) {
    return c;
}
QChar asQChar(char c) {
    return QLatin1Char(c);
}

// Over QStringView or QLatin1StringView, so that a member's key is escaped without a copy.
template <typename Text> void appendJsonString(QString& out, Text s) {
    out += QLatin1Char('"');
    for (const auto element : s) {
        const QChar c = asQChar(element);
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c.unicode() < 0x20) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    out += QLatin1Char('"');
}
} // namespace

QString jsonString(const QString& s) {
    QString out;
    appendJsonString(out, QStringView(s));
    return out;
}

QString jsonNumber(double v) {
    // JSON has no infinity and no NaN: a figure that is neither a number is no figure at all.
    if (!std::isfinite(v))
        return QStringLiteral("null");
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

QString jsonNumber(const std::optional<double>& v) {
    return v ? jsonNumber(*v) : QStringLiteral("null");
}

void appendJsonObject(QString& out, const JsonMembers& members) {
    out += QLatin1Char('{');
    for (qsizetype i = 0; i < members.size(); ++i) {
        if (i > 0)
            out += QLatin1String(", ");
        appendJsonString(out, QLatin1StringView(members[i].first));
        out += QLatin1String(": ");
        out += members[i].second;
    }
    out += QLatin1Char('}');
}

QString jsonObject(const JsonMembers& members) {
    QString out;
    appendJsonObject(out, members);
    return out;
}
