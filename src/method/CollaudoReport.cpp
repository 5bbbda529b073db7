#include "CollaudoReport.h"

#include "DrawArchive.h"
#include "MethodOptionValues.h"

#include <QLocale>
#include <QStringList>

namespace {

using Format = CollaudoOptions::Format;

QString csvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString line(const QStringList& fields, Format format) {
    if (format == Format::Tsv)
        return fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    QStringList quoted;
    for (const QString& f : fields)
        quoted << csvField(f);
    return quoted.join(QLatin1Char(',')) + QLatin1Char('\n');
}

// Numbers for a table: a fixed number of decimals, or significant digits for p-values.
QString fixed(double v, int decimals) {
    return QString::number(v, 'f', decimals);
}
QString significant(double v) {
    return QString::number(v, 'g', 6);
}
QString fixedOrDash(const std::optional<double>& v, int decimals) {
    return v ? fixed(*v, decimals) : QStringLiteral("-");
}

// Numbers for json: the shortest text that reads back as the same double.
QString jsonNumber(double v) {
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}
QString jsonNumber(const std::optional<double>& v) {
    return v ? jsonNumber(*v) : QStringLiteral("null");
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

// "key": value pairs joined into an object.
QString jsonObject(const QList<std::pair<const char*, QString>>& members) {
    QStringList parts;
    for (const auto& [key, value] : members)
        parts << jsonString(QLatin1String(key)) + QStringLiteral(": ") + value;
    return QLatin1Char('{') + parts.join(QStringLiteral(", ")) + QLatin1Char('}');
}

QString esitoText(CaseOutcome::Esito e) {
    switch (e) {
    case CaseOutcome::Esito::Positivo:
        return QStringLiteral("positivo");
    case CaseOutcome::Esito::InGioco:
        return QStringLiteral("in gioco");
    case CaseOutcome::Esito::Negativo:
        break;
    }
    return QStringLiteral("negativo");
}

QString tableReport(const CollaudoResult& r, Format format, bool elenco, const DrawArchive& archive) {
    const CollaudoSummary& s = r.riepilogo;
    QString out;
    const QList<std::pair<const char*, QString>> summary{
        {"casi", QString::number(s.casi)},
        {"positivi", QString::number(s.positivi)},
        {"negativi", QString::number(s.negativi)},
        {"in_gioco", QString::number(s.inGioco)},
        {"casi_completi", QString::number(s.casiCompleti)},
        {"positivi_completi", QString::number(s.positiviCompleti)},
        {"attesi", fixed(s.attesi, 4)},
        {"deviazione", fixed(s.deviazione, 4)},
        {"z", fixedOrDash(s.z, 4)},
        {"p", significant(s.p)},
        {"spesa", fixed(s.spesa, 2)},
        {"vincite", fixed(s.vincite, 2)},
        {"ritenuta", fixed(s.ritenuta, 2)},
        {"saldo", fixed(s.saldo, 2)},
        {"resa", fixedOrDash(s.resa, 4)},
    };
    for (const auto& [label, value] : summary)
        out += line({QLatin1String(label), value}, format);
    out += QLatin1Char('\n');
    out += line({QStringLiteral("colpo"), QStringLiteral("positivi"), QStringLiteral("attesi")}, format);
    for (const CollaudoColpo& c : r.colpi)
        out += line({QString::number(c.colpo), QString::number(c.positivi), fixed(c.attesi, 4)}, format);
    if (!elenco)
        return out;
    out += QLatin1Char('\n');
    out += line({QStringLiteral("N° Estr"), QStringLiteral("Data"), QStringLiteral("R1"),
                 QStringLiteral("R2"), QStringLiteral("Posizioni"), QStringLiteral("Ambata"),
                 QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3"), QStringLiteral("Esito"),
                 QStringLiteral("Colpo"), QStringLiteral("Probabilità")},
                format);
    for (const CollaudoCase& c : r.casi) {
        const EqualAmboCase& e = c.equalAmbo;
        out += line({QString::number(e.draw), c.date, archive.wheelCode(e.wheel1),
                     archive.wheelCode(e.wheel2), QStringLiteral("%1-%2").arg(e.position1).arg(e.position2),
                     QString::number(e.forecast.Ambata), QString::number(e.forecast.A1),
                     QString::number(e.forecast.A2), QString::number(e.forecast.A3), esitoText(c.esito),
                     c.colpo ? QString::number(c.colpo) : QStringLiteral("-"), fixed(c.probability, 6)},
                    format);
    }
    return out;
}

QString jsonReport(const CollaudoResult& r, bool elenco, const DrawArchive& archive) {
    const CollaudoSummary& s = r.riepilogo;
    const QString summary = jsonObject({
        {"casi", QString::number(s.casi)},
        {"positivi", QString::number(s.positivi)},
        {"negativi", QString::number(s.negativi)},
        {"in_gioco", QString::number(s.inGioco)},
        {"casi_completi", QString::number(s.casiCompleti)},
        {"positivi_completi", QString::number(s.positiviCompleti)},
        {"attesi", jsonNumber(s.attesi)},
        {"deviazione", jsonNumber(s.deviazione)},
        {"z", jsonNumber(s.z)},
        {"p", jsonNumber(s.p)},
        {"spesa", jsonNumber(s.spesa)},
        {"vincite", jsonNumber(s.vincite)},
        {"ritenuta", jsonNumber(s.ritenuta)},
        {"saldo", jsonNumber(s.saldo)},
        {"resa", jsonNumber(s.resa)},
    });
    QStringList colpi;
    for (const CollaudoColpo& c : r.colpi)
        colpi << jsonObject({{"colpo", QString::number(c.colpo)},
                             {"positivi", QString::number(c.positivi)},
                             {"attesi", jsonNumber(c.attesi)}});
    QString out = QStringLiteral("{\"riepilogo\": ") + summary + QStringLiteral(",\n\"colpi\": [\n") +
                  colpi.join(QStringLiteral(",\n")) + QStringLiteral("\n]");
    if (elenco) {
        QStringList casi;
        for (const CollaudoCase& c : r.casi) {
            const EqualAmboCase& e = c.equalAmbo;
            casi << jsonObject({
                {"estrazione", QString::number(e.draw)},
                {"data", jsonString(c.date)},
                {"ruota1", jsonString(archive.wheelCode(e.wheel1))},
                {"ruota2", jsonString(archive.wheelCode(e.wheel2))},
                {"posizioni", QStringLiteral("[%1, %2]").arg(e.position1).arg(e.position2)},
                {"ambata", QString::number(e.forecast.Ambata)},
                {"a",
                 QStringLiteral("[%1, %2, %3]").arg(e.forecast.A1).arg(e.forecast.A2).arg(e.forecast.A3)},
                {"esito", jsonString(esitoText(c.esito))},
                {"colpo", c.colpo ? QString::number(c.colpo) : QStringLiteral("null")},
                {"probabilita", jsonNumber(c.probability)},
            });
        }
        out += QStringLiteral(",\n\"casi\": [\n") + casi.join(QStringLiteral(",\n")) + QStringLiteral("\n]");
    }
    return out + QStringLiteral("}\n");
}

const char* const FigureKeys[] = {"casi_completi", "positivi", "attesi", "z", "p",
                                  "p_esatto",      "saldo",    "resa"};

QStringList figureFields(const SweepFigures& f) {
    return {QString::number(f.casiCompleti),
            QString::number(f.positivi),
            fixed(f.attesi, 4),
            fixedOrDash(f.z, 4),
            significant(f.p),
            f.pEsatto ? significant(*f.pEsatto) : QStringLiteral("-"),
            fixed(f.saldo, 2),
            fixedOrDash(f.resa, 4)};
}

QList<std::pair<const char*, QString>> figureMembers(const SweepFigures& f) {
    return {{"casi_completi", QString::number(f.casiCompleti)},
            {"positivi", QString::number(f.positivi)},
            {"attesi", jsonNumber(f.attesi)},
            {"z", jsonNumber(f.z)},
            {"p", jsonNumber(f.p)},
            {"p_esatto", jsonNumber(f.pEsatto)},
            {"saldo", jsonNumber(f.saldo)},
            {"resa", jsonNumber(f.resa)}};
}

} // namespace

QString collaudoReport(const CollaudoResult& result, CollaudoOptions::Format format, bool elenco,
                       const DrawArchive& archive) {
    return format == Format::Json ? jsonReport(result, elenco, archive)
                                  : tableReport(result, format, elenco, archive);
}

QString sweepReport(const SweepResult& result, CollaudoOptions::Format format) {
    const bool fuori = !result.rows.empty() && result.rows.front().fuori.has_value();
    if (format == Format::Json) {
        QStringList rows;
        for (const SweepRow& row : result.rows) {
            QList<std::pair<const char*, QString>> members{
                {"tipi", jsonString(typeOptionValue(row.types))},
                {"posizioni", jsonString(positionOptionValue(row.positions))},
                {"posizioni_adiacenti",
                 row.adjacentPositions ? QStringLiteral("true") : QStringLiteral("false")},
                {"colpi", QString::number(row.colpi)}};
            members += figureMembers(row.figures);
            members.insert(members.size() - 2, {"p_holm", jsonNumber(row.pHolm)});
            if (row.fuori)
                members.append({"fuori", jsonObject(figureMembers(*row.fuori))});
            rows << jsonObject(members);
        }
        return QStringLiteral("{\"combinazioni\": [\n") + rows.join(QStringLiteral(",\n")) +
               QStringLiteral("\n]}\n");
    }
    QStringList header{QStringLiteral("tipi"), QStringLiteral("posizioni"),
                       QStringLiteral("posizioni_adiacenti"), QStringLiteral("colpi")};
    for (const char* key : FigureKeys)
        header << QLatin1String(key);
    header.insert(header.size() - 2, QStringLiteral("p_holm"));
    if (fuori)
        for (const char* key : FigureKeys)
            header << QStringLiteral("fuori_") + QLatin1String(key);
    QString out = line(header, format);
    for (const SweepRow& row : result.rows) {
        QStringList fields{typeOptionValue(row.types), positionOptionValue(row.positions),
                           row.adjacentPositions ? QStringLiteral("si") : QStringLiteral("no"),
                           QString::number(row.colpi)};
        fields += figureFields(row.figures);
        fields.insert(fields.size() - 2, significant(row.pHolm));
        if (row.fuori)
            fields += figureFields(*row.fuori);
        out += line(fields, format);
    }
    return out;
}
