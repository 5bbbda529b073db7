#include "CollaudoPresentation.h"

#include "Collaudo.h"
#include "CollaudoParameters.h"
#include "DrawArchive.h"
#include "ItalianFormat.h"
#include "OutcomeVerification.h"
#include "Palette.h"

#include <algorithm>
#include <map>

namespace {

QDate drawDay(const DrawArchive& archive, int drawIndex) {
    return QDate::fromString(archive.drawDate(drawIndex), QStringLiteral("dd/MM/yyyy"));
}

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

QString esitoText(CaseOutcome::Esito esito) {
    switch (esito) {
    case CaseOutcome::Esito::Positivo:
        return QStringLiteral("positivo");
    case CaseOutcome::Esito::InGioco:
        return QStringLiteral("in gioco");
    case CaseOutcome::Esito::Negativo:
        break;
    }
    return QStringLiteral("negativo");
}

ResultGrid::Cell number(double value) {
    return {QString::number(value), value};
}

} // namespace

int firstDrawOnOrAfter(const DrawArchive& archive, QDate date) {
    for (int d = 1; d <= archive.drawCount(); ++d)
        if (drawDay(archive, d) >= date)
            return d;
    return 0;
}

int lastDrawOnOrBefore(const DrawArchive& archive, QDate date) {
    for (int d = archive.drawCount(); d >= 1; --d)
        if (drawDay(archive, d) <= date)
            return d;
    return 0;
}

CollaudoSettings collaudoSettings(const CollaudoParameters& parameters, const DrawArchive& archive) {
    CollaudoSettings s;
    s.wheels = parameters.wheels();
    s.positions = parameters.positions();
    s.types = parameters.wheelTypes();
    s.adjacentPositions = parameters.adjacentPositions();
    s.colpi = parameters.colpi();
    const auto boxes = parameters.outcomeBoxes();
    s.boxes = OutcomeBoxes{boxes[0], boxes[1], boxes[2], boxes[3]};
    const auto stakes = parameters.stakes();
    s.stakes = Stakes{stakes[0], stakes[1], stakes[2], stakes[3]};
    s.first = firstDrawOnOrAfter(archive, parameters.rangeStart());
    s.last = lastDrawOnOrBefore(archive, parameters.rangeEnd());
    // Dates with no draw between them: a search from 1 back to 2 finds nothing (a last of 0 would mean
    // the archive's last draw).
    if (s.first == 0 || s.last == 0 || s.first > s.last) {
        s.first = 2;
        s.last = 1;
    }
    return s;
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
        text = QStringLiteral("%1 positivi su %2 casi completi; per puro caso se ne attendevano %3 ± %4 "
                              "(p = %5): %6")
                   .arg(italian::integer(s.positiviCompleti), italian::integer(s.casiCompleti),
                        italian::decimal(s.attesi, 0), italian::decimal(s.deviazione, 0),
                        italian::pValue(s.p), verdict(s.p));
    }
    if (s.spesa > 0.0)
        text += QStringLiteral(" Giocando ogni caso: spesi %1, vinti %2, trattenuti %3, saldo %4 (resa %5).")
                    .arg(italian::decimal(s.spesa, 2), italian::decimal(s.vincite, 2),
                         italian::decimal(s.ritenuta, 2), italian::decimal(s.saldo, 2),
                         italian::percent(s.resa.value_or(0.0)));
    else if (s.casi > 0)
        text += QStringLiteral(" Nessuna giocata: tutte le poste sono a zero.");
    return text;
}

CollaudoShown presentCollaudo(const CollaudoResult& result, const DrawArchive& archive,
                              const Palette& palette) {
    const CollaudoSummary& s = result.riepilogo;
    CollaudoShown shown;
    shown.sentence = summarySentence(result);
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

    shown.caseHeaders = {QStringLiteral("N° Estr"), QStringLiteral("Data"),  QStringLiteral("R1"),
                         QStringLiteral("R2"),      QStringLiteral("Pos."),  QStringLiteral("Ambata"),
                         QStringLiteral("A1"),      QStringLiteral("A2"),    QStringLiteral("A3"),
                         QStringLiteral("Esito"),   QStringLiteral("Colpo"), QStringLiteral("Probabilità")};
    shown.cases.reserve(result.casi.size());
    shown.caseDraws.reserve(result.casi.size());
    std::map<int, collaudoCharts::YearPositives> years;
    for (const CollaudoCase& c : result.casi) {
        const EqualAmboCase& e = c.equalAmbo;
        const QDate day = QDate::fromString(c.date, QStringLiteral("dd/MM/yyyy"));
        ResultGrid::Row row;
        row.cells = {
            number(e.draw),
            {c.date, static_cast<double>(day.toJulianDay())},
            {archive.wheelCode(e.wheel1), std::nan("")},
            {archive.wheelCode(e.wheel2), std::nan("")},
            {QStringLiteral("%1-%2").arg(e.position1).arg(e.position2), e.position1 * 10.0 + e.position2},
            number(e.forecast.Ambata),
            number(e.forecast.A1),
            number(e.forecast.A2),
            number(e.forecast.A3),
            {esitoText(c.esito), std::nan("")},
            c.colpo > 0 ? number(c.colpo) : ResultGrid::Cell{QString(), std::nan("")},
            {italian::decimal(c.probability, 4), c.probability}};
        row.marker = c.esito == CaseOutcome::Esito::Positivo  ? EsitoPositivo
                     : c.esito == CaseOutcome::Esito::InGioco ? palette.PaletteOrange
                                                              : GridModel::White;
        shown.cases.push_back(std::move(row));
        shown.caseDraws.push_back(e.draw);
        if (c.complete && day.isValid()) {
            collaudoCharts::YearPositives& y = years[day.year()];
            y.year = day.year();
            y.positives += c.esito == CaseOutcome::Esito::Positivo ? 1 : 0;
            y.expected += c.probability;
        }
    }
    for (const auto& [year, counts] : years)
        shown.perYear.push_back(counts);

    for (const CollaudoColpo& k : result.colpi)
        shown.byColpo.push_back(
            {k.colpo, shareOf(k.positivi, s.casiCompleti), shareOf(k.attesi, s.casiCompleti)});

    // The cases come most recent first; the balance grows from the oldest.
    double balance = 0.0;
    for (auto it = result.casi.rbegin(); it != result.casi.rend(); ++it) {
        balance += it->won - it->withheld - it->spent;
        const QDate day = QDate::fromString(it->date, QStringLiteral("dd/MM/yyyy"));
        if (!shown.balance.empty() && shown.balance.back().date == day)
            shown.balance.back().balance = balance;
        else
            shown.balance.push_back({day, balance});
    }
    shown.yield = s.resa;
    return shown;
}
