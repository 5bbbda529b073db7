#pragma once

#include "cli/AnalysisOptions.h"
#include "cli/TableWriter.h"
#include "core/CaseOutcome.h"
#include "core/EqualAmboCase.h"
#include "core/VerificationTotals.h"

#include <QString>
#include <vector>

class DrawArchive;

// What veltrano-analisi works out, as the ambo window's "ELABORA" does: the cases of the search, most
// recent first, each with its outcome, the summary's counters and the line about the case cap (empty
// when the cap did not stop the search).
struct Analysis {
    int colpi = 0;
    std::vector<EqualAmboCase> cases;
    std::vector<CaseOutcome> outcomes; // one per case
    VerificationTotals totals;
    QString capNotice;
};

Analysis analyse(const AnalysisOptions& options, const DrawArchive& archive, const DrawRange& range);

// The printed result: the shown columns of the case table with the outcome ("Esito"), an empty line, the
// summary (label, count, share in percent with one decimal).
QString analysisReport(const Analysis& analysis, const DrawArchive& archive, TableFormat format);

// The whole run on a loaded archive: range, analysis, report. Returns an error text (bad range) or
// empty, with the report in output and, when given, the line about the case cap in notice.
QString runAnalysis(const AnalysisOptions& options, const DrawArchive& archive, QString& output,
                    QString* notice = nullptr);
