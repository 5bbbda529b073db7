#include "cli/CollaudoReport.h"

#include "cli/GiocataText.h"
#include "cli/MethodOptionValues.h"
#include "cli/TableWriter.h"
#include "core/DrawArchive.h"

#include <QStringList>

namespace {

using Format = TableFormat;

// Numbers for a table: a fixed number of decimals, or significant digits for p-values.
QString fixed(double v, int decimals) {
    return QString::number(v, 'f', decimals);
}
QString significant(double v) {
    return QString::number(v, 'g', 6);
}

// A figure of the summary or of a sweep row, printed by its style in tables and unrounded in json.
struct Field {
    enum class Style { Count, Decimals, Money, Significant };
    const char* key;
    std::optional<double> value;
    Style style;
};

QString tableText(const Field& f) {
    if (!f.value)
        return QStringLiteral("-");
    switch (f.style) {
    case Field::Style::Count:
        return QString::number(static_cast<long long>(*f.value));
    case Field::Style::Decimals:
        return fixed(*f.value, 4);
    case Field::Style::Money:
        return fixed(*f.value, 2);
    case Field::Style::Significant:
        break;
    }
    return significant(*f.value);
}

JsonMembers jsonMembers(const QList<Field>& fields) {
    JsonMembers members;
    for (const Field& f : fields)
        members.append({f.key, jsonNumber(f.value)});
    return members;
}

QList<Field> summaryFields(const CollaudoSummary& s) {
    using S = Field::Style;
    return {{"casi", s.casi, S::Count},
            {"positivi", s.positivi, S::Count},
            {"negativi", s.negativi, S::Count},
            {"in_gioco", s.inGioco, S::Count},
            {"casi_completi", s.casiCompleti, S::Count},
            {"positivi_completi", s.positiviCompleti, S::Count},
            {"attesi", s.attesi, S::Decimals},
            {"deviazione", s.deviazione, S::Decimals},
            {"z", s.z, S::Decimals},
            {"p", s.p, S::Significant},
            {"spesa", s.spesa, S::Money},
            {"vincite", s.vincite, S::Money},
            {"ritenuta", s.ritenuta, S::Money},
            {"saldo", s.saldo, S::Money},
            {"resa", s.resa, S::Decimals}};
}

// A sweep row's figures; p_holm (the whole sweep's) only where given.
QList<Field> figureFields(const SweepFigures& f, std::optional<double> pHolm) {
    using S = Field::Style;
    QList<Field> fields{{"casi_completi", f.casiCompleti, S::Count},
                        {"positivi", f.positivi, S::Count},
                        {"attesi", f.attesi, S::Decimals},
                        {"z", f.z, S::Decimals},
                        {"p", f.p, S::Significant},
                        {"p_esatto", f.pEsatto, S::Significant}};
    if (pHolm)
        fields.append({"p_holm", pHolm, S::Significant});
    fields.append({{"saldo", f.saldo, S::Money}, {"resa", f.resa, S::Decimals}});
    return fields;
}

QString tableReport(const CollaudoResult& r, Format format, bool elenco, const DrawArchive& archive) {
    const CollaudoSummary& s = r.riepilogo;
    QString out;
    for (const Field& f : summaryFields(s))
        out += tableLine({QLatin1String(f.key), tableText(f)}, format);
    out += QLatin1Char('\n');
    out += tableLine({QStringLiteral("colpo"), QStringLiteral("positivi"), QStringLiteral("attesi")}, format);
    for (const CollaudoColpo& c : r.colpi)
        out += tableLine({QString::number(c.colpo), QString::number(c.positivi), fixed(c.attesi, 4)}, format);
    if (!elenco)
        return out;
    out += QLatin1Char('\n');
    if (r.metodo == MethodSettings::Metodo::Giocatore) {
        out += tableLine({QStringLiteral("N° Estr"), QStringLiteral("Data"), QStringLiteral("Puntate"),
                          QStringLiteral("Colpi"), QStringLiteral("Nota"), QStringLiteral("Esito"),
                          QStringLiteral("Colpo"), QStringLiteral("Probabilità")},
                         format);
        for (const CollaudoCase& c : r.casi)
            out += tableLine({QString::number(c.draw), c.date, puntateText(c.giocata, archive),
                              QString::number(c.giocata.colpi), c.giocata.nota.value_or(QString()),
                              esitoName(c.esito), c.colpo ? QString::number(c.colpo) : QStringLiteral("-"),
                              fixed(c.probability, 6)},
                             format);
        return out;
    }
    if (r.metodo == MethodSettings::Metodo::Ritardatario) {
        out += tableLine({QStringLiteral("N° Estr"), QStringLiteral("Data"), QStringLiteral("Ruota"),
                          QStringLiteral("Numero"), QStringLiteral("Ritardo"), QStringLiteral("Esito"),
                          QStringLiteral("Colpo"), QStringLiteral("Probabilità")},
                         format);
        for (const CollaudoCase& c : r.casi) {
            const OverdueCase o = c.overdue();
            out +=
                tableLine({QString::number(o.draw), c.date, archive.wheelCode(o.wheel),
                           QString::number(o.number), QString::number(o.delay), esitoName(c.esito),
                           c.colpo ? QString::number(c.colpo) : QStringLiteral("-"), fixed(c.probability, 6)},
                          format);
        }
        return out;
    }
    out += tableLine({QStringLiteral("N° Estr"), QStringLiteral("Data"), QStringLiteral("R1"),
                      QStringLiteral("R2"), QStringLiteral("Posizioni"), QStringLiteral("Ambata"),
                      QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3"),
                      QStringLiteral("Esito"), QStringLiteral("Colpo"), QStringLiteral("Probabilità")},
                     format);
    for (const CollaudoCase& c : r.casi) {
        const EqualAmboCase e = c.equalAmbo();
        out +=
            tableLine({QString::number(e.draw), c.date, archive.wheelCode(e.wheel1),
                       archive.wheelCode(e.wheel2), QStringLiteral("%1-%2").arg(e.position1).arg(e.position2),
                       QString::number(e.forecast.Ambata), QString::number(e.forecast.A1),
                       QString::number(e.forecast.A2), QString::number(e.forecast.A3), esitoName(c.esito),
                       c.colpo ? QString::number(c.colpo) : QStringLiteral("-"), fixed(c.probability, 6)},
                      format);
    }
    return out;
}

QString jsonReport(const CollaudoResult& r, bool elenco, const DrawArchive& archive) {
    const CollaudoSummary& s = r.riepilogo;
    const QString summary = jsonObject(jsonMembers(summaryFields(s)));
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
            if (r.metodo == MethodSettings::Metodo::Giocatore) {
                casi << jsonObject({
                    {"estrazione", QString::number(c.draw)},
                    {"data", jsonString(c.date)},
                    {"puntate", puntateJson(c.giocata, archive)},
                    {"colpi", QString::number(c.giocata.colpi)},
                    {"nota", c.giocata.nota ? jsonString(*c.giocata.nota) : QStringLiteral("null")},
                    {"esito", jsonString(esitoName(c.esito))},
                    {"colpo", c.colpo ? QString::number(c.colpo) : QStringLiteral("null")},
                    {"probabilita", jsonNumber(c.probability)},
                });
                continue;
            }
            if (r.metodo == MethodSettings::Metodo::Ritardatario) {
                // The equal ambo's keys, with what the overdue number has of them, and its delay.
                const OverdueCase o = c.overdue();
                casi << jsonObject({
                    {"estrazione", QString::number(o.draw)},
                    {"data", jsonString(c.date)},
                    {"ruota1", jsonString(archive.wheelCode(o.wheel))},
                    {"ruota2", QStringLiteral("null")},
                    {"posizioni", QStringLiteral("null")},
                    {"ambata", QString::number(o.number)},
                    {"a", QStringLiteral("[]")},
                    {"esito", jsonString(esitoName(c.esito))},
                    {"colpo", c.colpo ? QString::number(c.colpo) : QStringLiteral("null")},
                    {"probabilita", jsonNumber(c.probability)},
                    {"ritardo", QString::number(o.delay)},
                });
                continue;
            }
            const EqualAmboCase e = c.equalAmbo();
            casi << jsonObject({
                {"estrazione", QString::number(e.draw)},
                {"data", jsonString(c.date)},
                {"ruota1", jsonString(archive.wheelCode(e.wheel1))},
                {"ruota2", jsonString(archive.wheelCode(e.wheel2))},
                {"posizioni", QStringLiteral("[%1, %2]").arg(e.position1).arg(e.position2)},
                {"ambata", QString::number(e.forecast.Ambata)},
                {"a",
                 QStringLiteral("[%1, %2, %3]").arg(e.forecast.A1).arg(e.forecast.A2).arg(e.forecast.A3)},
                {"esito", jsonString(esitoName(c.esito))},
                {"colpo", c.colpo ? QString::number(c.colpo) : QStringLiteral("null")},
                {"probabilita", jsonNumber(c.probability)},
            });
        }
        out += QStringLiteral(",\n\"casi\": [\n") + casi.join(QStringLiteral(",\n")) + QStringLiteral("\n]");
    }
    return out + QStringLiteral("}\n");
}

} // namespace

QString collaudoReport(const CollaudoResult& result, TableFormat format, bool elenco,
                       const DrawArchive& archive) {
    return format == Format::Json ? jsonReport(result, elenco, archive)
                                  : tableReport(result, format, elenco, archive);
}

QString sweepReport(const SweepResult& result, TableFormat format) {
    const bool fuori = !result.rows.empty() && result.rows.front().fuori.has_value();
    const bool overdue = result.metodo == MethodSettings::Metodo::Ritardatario;
    const bool script = result.metodo == MethodSettings::Metodo::Giocatore;
    if (format == Format::Json) {
        QStringList rows;
        for (const SweepRow& row : result.rows) {
            JsonMembers members;
            if (script) {
                QStringList values;
                for (const auto& [name, value] : row.parametri)
                    values << jsonString(name) + QStringLiteral(": ") + jsonString(value);
                members = {{"parametri", QLatin1Char('{') + values.join(QStringLiteral(", ")) + QLatin1Char('}')}};
            } else if (overdue)
                members = {{"soglia", QString::number(row.soglia)}, {"colpi", QString::number(row.colpi)}};
            else
                members = {{"tipi", jsonString(typeOptionValue(row.types))},
                           {"posizioni", jsonString(positionOptionValue(row.positions))},
                           {"posizioni_adiacenti",
                            row.adjacentPositions ? QStringLiteral("true") : QStringLiteral("false")},
                           {"colpi", QString::number(row.colpi)}};
            members += jsonMembers(figureFields(row.figures, row.pHolm));
            if (row.fuori)
                members.append({"fuori", jsonObject(jsonMembers(figureFields(*row.fuori, std::nullopt)))});
            rows << jsonObject(members);
        }
        return QStringLiteral("{\"combinazioni\": [\n") + rows.join(QStringLiteral(",\n")) +
               QStringLiteral("\n]}\n");
    }
    QStringList scriptHeader;
    if (script && !result.rows.empty())
        for (const auto& parameter : result.rows.front().parametri)
            scriptHeader << parameter.first;
    QStringList header = script ? scriptHeader
                       : overdue
                             ? QStringList{QStringLiteral("soglia"), QStringLiteral("colpi")}
                             : QStringList{QStringLiteral("tipi"), QStringLiteral("posizioni"),
                                           QStringLiteral("posizioni_adiacenti"), QStringLiteral("colpi")};
    for (const Field& f : figureFields({}, 1.0))
        header << QLatin1String(f.key);
    if (fuori)
        for (const Field& f : figureFields({}, std::nullopt))
            header << QStringLiteral("fuori_") + QLatin1String(f.key);
    QString out = tableLine(header, format);
    for (const SweepRow& row : result.rows) {
        QStringList values;
        for (const auto& parameter : row.parametri)
            values << parameter.second;
        QStringList fields =
            script  ? values
            : overdue ? QStringList{QString::number(row.soglia), QString::number(row.colpi)}
                    : QStringList{typeOptionValue(row.types), positionOptionValue(row.positions),
                                  row.adjacentPositions ? QStringLiteral("si") : QStringLiteral("no"),
                                  QString::number(row.colpi)};
        for (const Field& f : figureFields(row.figures, row.pHolm))
            fields << tableText(f);
        if (row.fuori)
            for (const Field& f : figureFields(*row.fuori, std::nullopt))
                fields << tableText(f);
        out += tableLine(fields, format);
    }
    return out;
}
