#include "core/CaseSearch.h"

#include <algorithm>

CaseSearchSpan caseSearchSpan(bool interval, int rangeStart, int rangeEnd, int casesAsked) {
    if (interval)
        return {rangeEnd, rangeStart, IntervalCaseLimit};
    return {rangeEnd, 1, casesAsked};
}

CaseSearch searchCases(const SearchSettings& settings, const DrawArchive& archive, const CaseSearchSpan& span,
                       std::int64_t found) {
    CaseSearch search;
    // The search stops between draws once the count reaches the limit or passes the cap.
    const std::int64_t stopAt = std::min<std::int64_t>(span.limit - found, CaseCap + 1 - found);
    search.cases = findEqualAmbi(settings, archive, span.from, span.to, stopAt);
    const std::int64_t total = found + static_cast<std::int64_t>(search.cases.size());
    // Stopped by the cap, not by the case count asked for, with older draws of the span left unread.
    if (!search.cases.empty() && total < span.limit && total > CaseCap &&
        search.cases.back().draw > std::max(span.to, 0))
        search.stoppedAt = search.cases.back().draw;
    return search;
}

QString caseCapNotice(int stoppedAt, int rangeEnd) {
    if (stoppedAt == 0)
        return {};
    return QStringLiteral("Ricerca fermata a %1 casi: estrazioni dalla %2 alla %3")
        .arg(CaseCap)
        .arg(stoppedAt)
        .arg(rangeEnd);
}
