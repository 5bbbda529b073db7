#include "gui/statistiche/StatistichePresentation.h"

#include "core/DrawArchive.h"
#include "gui/kit/ItalianFormat.h"

#include <algorithm>
#include <cmath>

namespace statistichePresentation {

QString itemName(const DrawArchive& archive, const DelayItem& item, Sorte sorte) {
    const auto [a, b] = itemNumbers(sorte, item.item);
    const QString numbers = b == 0 ? QString::number(a) : QStringLiteral("%1-%2").arg(a).arg(b);
    return archive.wheelCode(item.wheel) + QLatin1Char(' ') + numbers;
}

QString sentence(const DelayStatistics& s, const DrawArchive& archive) {
    const bool anyDraw =
        std::any_of(s.wheels.begin(), s.wheels.end(), [](const DelayWheel& w) { return w.estrazioni() > 0; });
    if (s.items.empty() || !anyDraw)
        return QStringLiteral("Nessuna estrazione delle ruote scelte nel periodo.");
    const bool estratto = s.sorte == Sorte::Estratto;
    const DelayItem& top =
        s.items[static_cast<std::size_t>(rankDelayItems(s.items, DelayOrder::Ritardo).front())];
    const QString likeThis = top.pRitardoHolm >= 0.05
                                 ? QStringLiteral("un ritardo così capita per caso")
                                 : QStringLiteral("un ritardo così per puro caso è raro");
    QString text = QStringLiteral("Il ritardo più alto è %1 (%2): su %3 %4 %5 (p corretto %6). ")
                       .arg(italian::integer(top.ritardo), itemName(archive, top, s.sorte),
                            italian::integer(static_cast<long long>(s.items.size())),
                            estratto ? QStringLiteral("numeri") : QStringLiteral("ambi"), likeThis,
                            italian::pValue(top.pRitardoHolm));
    const bool oneWheel = std::any_of(s.wheels.begin(), s.wheels.end(),
                                      [](const DelayWheel& w) { return w.wheel != TutteWheel; });
    const bool tutte = std::any_of(s.wheels.begin(), s.wheels.end(),
                                   [](const DelayWheel& w) { return w.wheel == TutteWheel; });
    QStringList chances;
    if (oneWheel)
        chances << (estratto ? QStringLiteral("1/18") : QStringLiteral("2/801 (circa 1 su 400)")) +
                       QStringLiteral(" su una ruota");
    if (tutte)
        chances << italian::pValue(nextDrawChance(s.sorte, TutteWheel)) + QStringLiteral(" su Tutte");
    return text + QStringLiteral("Ogni %1 esce alla prossima estrazione con probabilità %2, qualunque sia il "
                                 "suo ritardo.")
                      .arg(estratto ? QStringLiteral("numero") : QStringLiteral("ambo"),
                           chances.join(QStringLiteral(" e ")));
}

QString sentenceTip(const DelayStatistics& s) {
    if (s.items.empty())
        return {};
    const DelayItem& top =
        s.items[static_cast<std::size_t>(rankDelayItems(s.items, DelayOrder::Ritardo).front())];
    const QString exact = italian::pExact(top.pRitardoHolm);
    return exact.isEmpty() ? QString() : QStringLiteral("p corretto = ") + exact.mid(4);
}

std::vector<statisticheCharts::RunBin> runBins(const DelayStatistics& s, int bins) {
    const std::vector<double> expected = expectedRuns(s);
    // The longest length worth a bin: one seen, or one chance gives at least once in a hundred tables.
    int longest = 0;
    for (std::size_t g = 0; g < std::max(s.runs.size(), expected.size()); ++g)
        if ((g < s.runs.size() && s.runs[g] > 0) || (g < expected.size() && expected[g] >= 0.01))
            longest = static_cast<int>(g);
    const int width = std::max(1, (longest + bins) / std::max(bins, 1));
    std::vector<statisticheCharts::RunBin> out;
    for (int from = 0; from <= longest; from += width) {
        statisticheCharts::RunBin bin{from, from + width - 1, 0.0, 0.0};
        for (int g = from; g <= bin.to; ++g) {
            const auto i = static_cast<std::size_t>(g);
            if (i < s.runs.size())
                bin.observed += static_cast<double>(s.runs[i]);
            if (i < expected.size())
                bin.expected += expected[i];
        }
        out.push_back(bin);
    }
    return out;
}

std::vector<statisticheCharts::MapRow> mapRows(const DelayStatistics& estratti, const DrawArchive& archive) {
    std::vector<statisticheCharts::MapRow> rows;
    if (estratti.sorte != Sorte::Estratto)
        return rows;
    for (const DelayItem& d : estratti.items) {
        if (d.wheel == TutteWheel)
            continue;
        if (rows.empty() || rows.back().wheel != archive.wheelCode(d.wheel))
            rows.push_back({archive.wheelCode(d.wheel), {}, {}});
        rows.back().ritardo[static_cast<std::size_t>(d.item)] = d.ritardo;
        rows.back().pRitardo[static_cast<std::size_t>(d.item)] = d.pRitardo;
    }
    return rows;
}

} // namespace statistichePresentation
