#include "gui/spia/SpiaPresentation.h"

#include "core/WheelNames.h"
#include "gui/kit/ItalianFormat.h"

namespace spiaPresentation {

namespace {

// Numbers read with a vowel first: uno, otto, undici, ottanta…
bool elided(int n) {
    return n == 1 || n == 8 || n == 11 || (n >= 80 && n <= 89);
}

const SpyFollower* best(const std::vector<SpyTable>& tables) {
    const std::vector<const SpyFollower*> ranked = rankSpyFollowers(tables);
    return ranked.empty() ? nullptr : ranked.front();
}

} // namespace

QString wheelPlace(int wheel) {
    if (wheel == TutteWheel)
        return QStringLiteral("su una delle dieci ruote");
    if (wheel == Nazionale)
        return QStringLiteral("sulla Nazionale");
    const std::string_view name = WheelNames[static_cast<std::size_t>(wheel)].name;
    const QString upper = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    return QStringLiteral("a ") + upper.left(1) + upper.mid(1).toLower();
}

QString withArticle(int number) {
    return (elided(number) ? QStringLiteral("l'") : QStringLiteral("il ")) + QString::number(number);
}

QString ofNumber(int number) {
    return (elided(number) ? QStringLiteral("dell'") : QStringLiteral("del ")) + QString::number(number);
}

QString verdict(double pCorrected) {
    if (pCorrected < 0.001)
        return QStringLiteral("difficilmente dovuto al caso.");
    if (pCorrected < 0.05)
        return QStringLiteral("raro per puro caso, ma la fortuna può ancora spiegarlo.");
    return QStringLiteral("compatibile con il caso.");
}

QString sentence(const std::vector<SpyTable>& tables, const SpySettings& s, bool wholeMap) {
    long long complete = 0;
    for (const SpyTable& t : tables)
        complete += t.eventiCompleti;
    const SpyFollower* top = best(tables);
    if (!top || complete == 0) {
        if (wholeMap)
            return QStringLiteral("Nessuna spia è uscita %1 nel periodo scelto con %2 estrazioni dopo: nessun "
                                  "evento completo.")
                .arg(wheelPlace(s.ruota), italian::integer(s.colpi));
        return QStringLiteral("%1 non è mai uscito %2 nel periodo scelto con %3 estrazioni dopo: nessun evento "
                              "completo.")
            .arg(withArticle(s.spia).left(1).toUpper() + withArticle(s.spia).mid(1), wheelPlace(s.ruota),
                 italian::integer(s.colpi));
    }
    const QString chance = QStringLiteral("per puro caso se ne attendevano %1 ± %2 (%3; tenendo conto %4, p "
                                          "corretto %5): %6")
                               .arg(italian::decimal(top->attese, 1), italian::decimal(top->deviazione, 1),
                                    italian::pIs(top->p),
                                    wholeMap ? QStringLiteral("delle %1 coppie")
                                                   .arg(italian::integer(static_cast<long long>(tables.size()) * 90))
                                             : QStringLiteral("dei 90 numeri"),
                                    italian::pValue(top->pHolm), verdict(top->pHolm));
    const SpyTable& table = tables[static_cast<std::size_t>(wholeMap ? top->spia - 1 : 0)];
    const QString events =
        QStringLiteral("Su %1 %2 %3 %4, ciascuna seguita da %5 %6")
            .arg(italian::integer(table.eventiCompleti),
                 table.eventiCompleti == 1 ? QStringLiteral("uscita") : QStringLiteral("uscite"),
                 ofNumber(top->spia), wheelPlace(s.ruota), italian::integer(s.colpi),
                 s.colpi == 1 ? QStringLiteral("estrazione") : QStringLiteral("estrazioni"));
    const QString lead = wholeMap ? QStringLiteral("Fra tutte le spie la coppia più rara per il caso è %1 → %2. ")
                                        .arg(top->spia)
                                        .arg(top->numero)
                                  : QString();
    return lead + events +
           QStringLiteral(", %1 è uscito %2 in %3; ")
               .arg(withArticle(top->numero), wheelPlace(s.ruotaSeguenti), italian::integer(top->presenze)) +
           chance;
}

} // namespace spiaPresentation
