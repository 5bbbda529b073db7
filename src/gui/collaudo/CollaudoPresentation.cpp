#include "gui/collaudo/CollaudoPresentation.h"

#include "core/Collaudo.h"
#include "core/DrawArchive.h"
#include "core/DrawDate.h"
#include "core/DrawRange.h"
#include "gui/collaudo/CollaudoParameters.h"
#include "gui/kit/ItalianFormat.h"

#include <algorithm>
#include <array>
#include <map>
#include <tuple>

namespace {

// Shares of the complete cases; none to compare with gives zeros rather than a division by zero.
double shareOf(double count, int complete) {
    return complete > 0 ? count / complete : 0.0;
}

QString verdict(double p) {
    if (p < 0.001)
        return QStringLiteral("risultato molto migliore del caso, difficilmente dovuto alla fortuna.");
    if (p < 0.05)
        return QStringLiteral("risultato migliore del caso, ma la fortuna può ancora spiegarlo.");
    if (p > 0.95)
        return QStringLiteral("risultato peggiore del caso.");
    return QStringLiteral("risultato compatibile con il caso.");
}

ResultGrid::Cell number(double value) {
    return {QString::number(value), value};
}

// The draws between the two dates; dates with no draw between them give a search from 1 back to 2,
// which finds nothing (a last of 0 would mean the archive's last draw).
std::pair<int, int> drawRange(const CollaudoParameters& parameters, const DrawArchive& archive) {
    return drawsBetween(archive, parameters.rangeStart(), parameters.rangeEnd()).value_or(std::pair{2, 1});
}

Stakes stakesOf(const CollaudoParameters& parameters) {
    const auto stakes = parameters.stakes();
    return Stakes{stakes[0], stakes[1], stakes[2], stakes[3]};
}

// The wheel types in few letters, so that the out-of-sample columns fit beside the others.
QString typesText(const WheelRelations::Types& types) {
    static const char* const shortNames[] = {"Tutte", "Adiac.", "Diam.", "Gem.", "GMTV", "CFRZ", "BNP"};
    QStringList names;
    for (std::size_t t = 0; t < types.size(); ++t)
        if (types[t])
            names << QString::fromLatin1(shortNames[t]);
    return names.join(QStringLiteral(", "));
}

QString positionsText(const std::array<bool, 5>& positions) {
    QStringList numbers;
    for (std::size_t p = 0; p < positions.size(); ++p)
        if (positions[p])
            numbers << QString::number(p + 1);
    // "1, 4" rather than "1,4", which an Italian reader takes for a decimal number.
    return numbers.join(QStringLiteral(", "));
}

ResultGrid::Cell optionalCell(const std::optional<double>& value, int decimals) {
    return {italian::orDash(value, decimals), value.value_or(std::nan(""))};
}

ResultGrid::Cell yieldCell(const std::optional<double>& resa) {
    return {resa ? italian::percent(*resa) : QStringLiteral("-"), resa.value_or(std::nan(""))};
}

ResultGrid::Cell pCell(double p) {
    return {italian::pValue(p), p, italian::pExact(p)};
}

} // namespace

CollaudoSettings collaudoSettings(const CollaudoParameters& parameters, const DrawArchive& archive) {
    CollaudoSettings s;
    s.metodo = parameters.metodo();
    s.soglia = parameters.soglia();
    s.wheels = parameters.wheels();
    s.positions = parameters.positions();
    s.types = parameters.wheelTypes();
    s.adjacentPositions = parameters.adjacentPositions();
    s.colpi = parameters.colpi();
    s.boxes = parameters.outcomeBoxes();
    s.stakes = stakesOf(parameters);
    std::tie(s.first, s.last) = drawRange(parameters, archive);
    return s;
}

SweepSettings sweepSettings(const CollaudoParameters& parameters, const DrawArchive& archive, int rows) {
    SweepSettings s;
    s.metodo = parameters.metodo();
    s.wheels = parameters.wheels();
    s.boxes = parameters.outcomeBoxes();
    s.stakes = stakesOf(parameters);
    std::tie(s.first, s.last) = drawRange(parameters, archive);
    if (const auto from = parameters.outOfSampleFrom()) {
        // A date after the last draw leaves nothing out of sample: the split lies past the archive.
        const int split = firstDrawFrom(archive, *from);
        s.split = split > 0 ? split : archive.drawCount() + 1;
    }
    s.order = SweepSettings::Order::P;
    s.primi = rows;
    s.threads = 2;
    return s;
}

bool sameStakes(const Stakes& a, const Stakes& b) {
    return a.ambata == b.ambata && a.ambo == b.ambo && a.terno == b.terno && a.quaterna == b.quaterna;
}

bool sweepStillApplies(const SweepSettings& a, const SweepSettings& b) {
    return a.wheels == b.wheels && a.boxes.flags() == b.boxes.flags() &&
           sameStakes(a.stakes, b.stakes) && a.first == b.first && a.last == b.last && a.split == b.split;
}

SweepShown presentSweep(const SweepOutcome& sweep, const DrawArchive& archive) {
    SweepShown shown;
    const bool outOfSample = sweep.settings.split > 0;
    const auto shownRows = static_cast<long long>(sweep.result.rows.size());
    shown.caption =
        QStringLiteral("%1 con il p più basso su %2 provate (%3); il p corretto (Holm) tiene conto di tutte.")
            .arg(shownRows == 1 ? QStringLiteral("La combinazione")
                                : QStringLiteral("Le %1 combinazioni").arg(italian::integer(shownRows)),
                 italian::integer(static_cast<long long>(sweep.result.combinations)),
                 italian::counted(static_cast<long long>(sweep.result.cases), "caso", "casi"));
    if (outOfSample) {
        const int split = sweep.settings.split;
        const QString from = split <= archive.drawCount() ? archive.drawDate(split) : QStringLiteral("-");
        shown.caption += QStringLiteral(" Misurate sui casi prima del %1; nelle colonne «Fuori» le stesse "
                                        "combinazioni sui casi dal %1 in poi.")
                             .arg(from);
    }
    // The combination's own settings, then the figures every method has.
    const bool overdue = sweep.settings.metodo == MethodSettings::Metodo::Ritardatario;
    const bool script = sweep.settings.metodo == MethodSettings::Metodo::Giocatore;
    if (script) {
        // A player's method: its parameters' names, as every row lists them in the same order.
        if (!sweep.result.rows.empty())
            for (const auto& parameter : sweep.result.rows.front().parametri)
                shown.headers << parameter.first;
    } else if (overdue)
        shown.headers = {QStringLiteral("Soglia"), QStringLiteral("Colpi")};
    else
        shown.headers = {QStringLiteral("Tipi"), QStringLiteral("Posizioni"), QStringLiteral("Pos.\nadiac."),
                         QStringLiteral("Colpi")};
    // Headers on two lines where the figures are narrower than their names: with the out-of-sample columns
    // the table fits a 1280-pixel screen.
    shown.headers << QStringLiteral("Casi\ncompl.") << QStringLiteral("Positivi") << QStringLiteral("Attesi")
                  << QStringLiteral("z") << QStringLiteral("p") << QStringLiteral("p Holm")
                  << QStringLiteral("p esatto") << QStringLiteral("Saldo") << QStringLiteral("Resa");
    if (outOfSample)
        shown.headers << QStringLiteral("Fuori\ncasi") << QStringLiteral("Fuori\npositivi")
                      << QStringLiteral("Fuori\nattesi") << QStringLiteral("Fuori\np") << QStringLiteral("Fuori\nresa");
    for (const SweepRow& r : sweep.result.rows) {
        const SweepFigures& f = r.figures;
        ResultGrid::Row row;
        if (script)
            for (const auto& [name, text] : r.parametri) {
                bool isNumber = false;
                const double value = text.toDouble(&isNumber);
                const qsizetype point = text.indexOf(QLatin1Char('.'));
                // A number sorts as one and reads in the Italian form, with its own decimals; a text as it is.
                if (isNumber && !text.contains(QLatin1Char('e'), Qt::CaseInsensitive))
                    row.cells.push_back(
                        {italian::decimal(value, point < 0 ? 0 : static_cast<int>(text.size() - point - 1)), value});
                else
                    row.cells.push_back({text, std::nan("")});
            }
        else if (overdue)
            row.cells = {number(r.soglia), number(r.colpi)};
        else
            row.cells = {{typesText(r.types), std::nan("")},
                         {positionsText(r.positions), std::nan("")},
                         {r.adjacentPositions ? QStringLiteral("sì") : QStringLiteral("no"), std::nan("")},
                         number(r.colpi)};
        row.cells.insert(row.cells.end(),
                         {{italian::integer(f.casiCompleti), static_cast<double>(f.casiCompleti)},
                          {italian::integer(f.positivi), static_cast<double>(f.positivi)},
                          {italian::decimal(f.attesi, 1), f.attesi},
                          optionalCell(f.z, 2),
                          pCell(f.p),
                          pCell(r.pHolm),
                          f.pEsatto ? pCell(*f.pEsatto) : ResultGrid::Cell{QStringLiteral("-"), std::nan("")},
                          {italian::decimal(f.saldo, 2), f.saldo},
                          yieldCell(f.resa)});
        if (outOfSample) {
            const SweepFigures out = r.fuori.value_or(SweepFigures{});
            row.cells.push_back({italian::integer(out.casiCompleti), static_cast<double>(out.casiCompleti)});
            row.cells.push_back({italian::integer(out.positivi), static_cast<double>(out.positivi)});
            row.cells.push_back({italian::decimal(out.attesi, 1), out.attesi});
            row.cells.push_back(out.casiCompleti > 0 ? pCell(out.pEsatto.value_or(out.p))
                                                     : ResultGrid::Cell{QStringLiteral("-"), std::nan("")});
            row.cells.push_back(yieldCell(out.resa));
        }
        shown.rows.push_back(std::move(row));
    }
    return shown;
}

bool applySweepRow(const SweepOutcome& sweep, int row, CollaudoParameters& parameters) {
    if (row < 0 || row >= static_cast<int>(sweep.result.rows.size()))
        return false;
    const SweepRow& r = sweep.result.rows[static_cast<std::size_t>(row)];
    parameters.setMetodo(sweep.settings.metodo);
    if (sweep.settings.metodo == MethodSettings::Metodo::Ritardatario) {
        parameters.setSoglia(r.soglia);
    } else {
        parameters.setWheelTypes(r.types);
        parameters.setPositions(r.positions);
        parameters.setAdjacentPositions(r.adjacentPositions);
    }
    parameters.setColpi(r.colpi);
    return true;
}

QString summarySentence(const CollaudoResult& result) {
    const CollaudoSummary& s = result.riepilogo;
    QString text;
    if (s.casi == 0) {
        text = QStringLiteral("Nessun caso nel periodo scelto: non c'è nulla da confrontare con il caso.");
    } else if (s.casiCompleti == 0 && s.casi == 1) {
        text = QStringLiteral("Un caso, non ancora completo: è in gioco, perciò non c'è nulla da confrontare "
                              "con il caso.");
    } else if (s.casiCompleti == 0) {
        text =
            QStringLiteral("%1 casi, nessuno completo: sono tutti ancora in gioco, perciò non c'è nulla da "
                           "confrontare con il caso.")
                .arg(italian::integer(s.casi));
    } else {
        text = comparisonWithChance(s) + QStringLiteral(": ") + verdict(s.p);
    }
    return text + balanceSentence(s);
}

QString comparisonWithChance(const CollaudoSummary& s) {
    return QStringLiteral("%1 su %2; per puro caso se ne attendevano %3 ± %4 (%5)")
        .arg(italian::counted(s.positiviCompleti, "positivo", "positivi"),
             italian::counted(s.casiCompleti, "caso completo", "casi completi"), italian::decimal(s.attesi, 0),
             italian::decimal(s.deviazione, 0), italian::pIs(s.p));
}

QString balanceSentence(const CollaudoSummary& s) {
    QString text;
    if (s.spesa > 0.0)
        text += QStringLiteral(" Giocando ogni caso: spesi %1, vinti %2, trattenuti %3, saldo %4 (resa %5).")
                    .arg(italian::decimal(s.spesa, 2), italian::decimal(s.vincite, 2),
                         italian::decimal(s.ritenuta, 2), italian::decimal(s.saldo, 2),
                         italian::percent(s.resa.value_or(0.0)));
    else if (s.casi > 0)
        text += QStringLiteral(" Nessuna giocata: tutte le poste sono a zero.");
    return text;
}

void CollaudoShown::addSmallPNote(const QString& label, double p) {
    const QString exact = italian::pExact(p);
    if (exact.isEmpty())
        return;
    summaryTips.insert(label, exact);
    summaryExact.insert(label, p);
}

CollaudoShown presentCollaudo(const CollaudoResult& result) {
    const CollaudoSummary& s = result.riepilogo;
    CollaudoShown shown;
    shown.sentence = summarySentence(result);
    if (s.casiCompleti > 0)
        shown.sentenceTip = italian::pExact(s.p);
    shown.summary = {
        {QStringLiteral("Casi"), italian::integer(s.casi)},
        {QStringLiteral("Positivi"), italian::integer(s.positivi)},
        {QStringLiteral("Negativi"), italian::integer(s.negativi)},
        {QStringLiteral("In gioco"), italian::integer(s.inGioco)},
        {QStringLiteral("Casi completi"), italian::integer(s.casiCompleti)},
        {QStringLiteral("Positivi completi"), italian::integer(s.positiviCompleti)},
        {QStringLiteral("Attesi per caso"), italian::decimal(s.attesi, 2)},
        {QStringLiteral("Deviazione"), italian::decimal(s.deviazione, 2)},
        {QStringLiteral("z"), italian::orDash(s.z, 2)},
        {QStringLiteral("p"), s.casiCompleti > 0 ? italian::pValue(s.p) : QStringLiteral("-")},
        {QStringLiteral("Spesa"), italian::decimal(s.spesa, 2)},
        {QStringLiteral("Vincite"), italian::decimal(s.vincite, 2)},
        {QStringLiteral("Ritenuta"), italian::decimal(s.ritenuta, 2)},
        {QStringLiteral("Saldo"), italian::decimal(s.saldo, 2)},
        {QStringLiteral("Resa"), s.resa ? italian::percent(*s.resa) : QStringLiteral("-")},
    };
    if (s.casiCompleti > 0)
        shown.addSmallPNote(QStringLiteral("p"), s.p);

    std::map<int, collaudoCharts::YearPositives> years;
    std::vector<QDate> days; // each case's date, read once for the years and the balance
    days.reserve(result.casi.size());
    for (const CollaudoCase& c : result.casi) {
        const QDate day = drawDay(c.date);
        days.push_back(day);
        if (c.complete && day.isValid()) {
            collaudoCharts::YearPositives& y = years[day.year()];
            y.year = day.year();
            y.positives += c.esito == CaseOutcome::Esito::Positivo ? 1 : 0;
            y.expected += c.probability;
        }
    }
    // Every year of the span gets its bar, none at all included, so that the bars stay under their years.
    if (!years.empty())
        for (int year = years.begin()->first; year <= years.rbegin()->first; ++year) {
            const auto it = years.find(year);
            shown.perYear.push_back(it != years.end() ? it->second
                                                      : collaudoCharts::YearPositives{year, 0, 0.0});
        }

    for (const CollaudoColpo& k : result.colpi)
        shown.byColpo.push_back(
            {k.colpo, shareOf(k.positivi, s.casiCompleti), shareOf(k.attesi, s.casiCompleti)});

    // The cases come most recent first; the balance grows from the oldest.
    double balance = 0.0;
    for (std::size_t i = result.casi.size(); i-- > 0;) {
        const CollaudoCase& c = result.casi[i];
        balance += c.won - c.withheld - c.spent;
        const QDate day = days[i];
        if (!shown.balance.empty() && shown.balance.back().date == day)
            shown.balance.back().balance = balance;
        else
            shown.balance.push_back({day, balance});
    }
    shown.yield = s.resa;
    return shown;
}

QString chanceVerdict(double p) {
    return verdict(p);
}
