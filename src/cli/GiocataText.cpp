#include "cli/GiocataText.h"

#include "cli/TableWriter.h"
#include "core/DrawArchive.h"

#include <QStringList>

namespace {

QStringList wheelCodes(const Puntata& p, const DrawArchive& archive) {
    if (p.tutte)
        return {QStringLiteral("TU")};
    QStringList codes;
    for (int w = 0; w < WheelCount; ++w)
        if (inMask(p.ruote, w))
            codes << archive.wheelCode(w);
    return codes;
}

QStringList numberTexts(const Puntata& p) {
    QStringList numbers;
    for (const int n : p.numeri)
        numbers << QString::number(n);
    return numbers;
}

} // namespace

QString sorteName(Puntata::Sorte sorte) {
    static const char* const names[] = {"estratto", "ambo", "terno", "quaterna", "cinquina"};
    return QLatin1String(names[static_cast<int>(sorte) - 1]);
}

QString puntateText(const Giocata& giocata, const DrawArchive& archive) {
    QStringList bets;
    for (const Puntata& p : giocata.puntate)
        bets << QStringLiteral("%1 %2 %3 posta %4")
                    .arg(numberTexts(p).join(QLatin1Char(' ')), sorteName(p.sorte),
                         wheelCodes(p, archive).join(QLatin1Char(',')), jsonNumber(p.posta));
    return bets.join(QStringLiteral("; "));
}

QString puntateJson(const Giocata& giocata, const DrawArchive& archive) {
    QStringList bets;
    for (const Puntata& p : giocata.puntate) {
        QStringList codes;
        for (const QString& code : wheelCodes(p, archive))
            codes << jsonString(code);
        bets << jsonObject({{"numeri", QLatin1Char('[') + numberTexts(p).join(QStringLiteral(", ")) + QLatin1Char(']')},
                            {"sorte", jsonString(sorteName(p.sorte))},
                            {"ruote", p.tutte ? jsonString(QStringLiteral("TU"))
                                              : QLatin1Char('[') + codes.join(QStringLiteral(", ")) + QLatin1Char(']')},
                            {"posta", jsonNumber(p.posta)}});
    }
    return QLatin1Char('[') + bets.join(QStringLiteral(", ")) + QLatin1Char(']');
}
