#include "cli/AnalysisReport.h"

#include "core/CaseSearch.h"
#include "core/CaseTable.h"
#include "core/CaseVerification.h"
#include "core/Collaudo.h"
#include "core/DrawArchive.h"

#include <QStringList>

namespace {

// The search settings of the chosen wheels, positions and types, built as the back-test builds them.
SearchSettings searchSettings(const AnalysisOptions& o) {
    CollaudoSettings method;
    method.wheels = o.ruote;
    method.positions = o.posizioni;
    method.types = o.tipi;
    method.adjacentPositions = o.posizioniAdiacenti;
    return method.search();
}

} // namespace

Analysis analyse(const AnalysisOptions& o, const DrawArchive& archive, const DrawRange& range) {
    Analysis a;
    a.colpi = o.colpi;
    CaseSearch search =
        searchCases(searchSettings(o), archive, caseSearchSpan(o.intervallo, range.start, range.end, o.casi));
    a.capNotice = caseCapNotice(search.stoppedAt, range.end);
    a.cases = std::move(search.cases);
    const OutcomeBoxes boxes{o.ambata, o.treAmbi, o.quartina, o.tutte};
    a.outcomes.reserve(a.cases.size());
    for (const EqualAmboCase& c : a.cases) {
        a.outcomes.push_back(verifyCase(c, o.colpi, boxes, archive));
        a.totals.add(a.outcomes.back());
    }
    return a;
}

QString analysisReport(const Analysis& a, const DrawArchive& archive, TableFormat format) {
    QString out;
    QStringList header;
    for (int c = 0; c < caseTable::ColumnCount; ++c)
        if (caseTable::shown(c))
            header << caseTable::header(c).trimmed();
    header << QStringLiteral("Esito");
    out += tableLine(header, format);
    for (std::size_t i = 0; i < a.cases.size(); ++i) {
        caseTable::Row texts;
        caseTable::writeCase(texts, a.cases[i], static_cast<int>(i) + 1, a.colpi, archive);
        caseTable::writeOutcome(texts, a.cases[i], a.outcomes[i], archive);
        QStringList fields;
        for (int c = 0; c < caseTable::ColumnCount; ++c)
            if (caseTable::shown(c))
                fields << texts[static_cast<std::size_t>(c)];
        fields << esitoName(a.outcomes[i].esito);
        out += tableLine(fields, format);
    }
    out += QLatin1Char('\n');
    for (int line = 0; line < caseTable::SummaryLines; ++line) {
        const auto share = caseTable::summaryShare(a.totals, line);
        out += tableLine({caseTable::summaryLabel(line),
                          QString::number(caseTable::summaryCount(a.totals, line)),
                          share ? QString::number(*share, 'f', 1) : QString()},
                         format);
    }
    return out;
}

QString runAnalysis(const AnalysisOptions& options, const DrawArchive& archive, QString& output,
                    QString* notice) {
    DrawRange range;
    if (QString error = resolveAnalysisRange(options, archive, range); !error.isEmpty())
        return error;
    const Analysis analysis = analyse(options, archive, range);
    output = analysisReport(analysis, archive, options.formato);
    if (notice)
        *notice = analysis.capNotice;
    return {};
}
