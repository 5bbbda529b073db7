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

QString tableLine(const QStringList& fields, TableFormat format) {
    if (format == TableFormat::Tsv)
        return fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& f : fields)
        quoted << csvField(f);
    return quoted.join(QLatin1Char(',')) + QLatin1Char('\n');
}

QString jsonString(const QString& s) {
    QString out = QStringLiteral("\"");
    for (const QChar c : s) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + c;
        else if (c.unicode() < 0x20)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
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

QString jsonObject(const JsonMembers& members) {
    QStringList parts;
    for (const auto& [key, value] : members)
        parts << jsonString(QLatin1String(key)) + QStringLiteral(": ") + value;
    return QLatin1Char('{') + parts.join(QStringLiteral(", ")) + QLatin1Char('}');
}
