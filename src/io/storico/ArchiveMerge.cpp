#include "io/storico/ArchiveMerge.h"

#include "io/storico/ArchiveCell.h"
#include "io/storico/StoricoError.h"

#include <cstdlib>
#include <map>
#include <set>

namespace storico {

namespace {

std::string wheelsText(const Draw& draw) {
    std::string text;
    for (int wheel = 0; wheel < WheelCount; ++wheel)
        if (draw.wheels[static_cast<std::size_t>(wheel)])
            text += (text.empty() ? "" : " ") + wheelCode(wheel);
    return text;
}

// A new lone date whose wheel a draw of two or more wheels, at most SplitDateMaxDays away, already holds
// with the same numbers.
bool alreadyJoined(const Draw& lone, const std::map<CalendarDate, Draw>& byDate,
                   const std::set<CalendarDate>& archiveDates) {
    if (lone.wheelCount() != 1 || archiveDates.contains(lone.date))
        return false;
    std::size_t wheel = 0;
    while (!lone.wheels[wheel])
        ++wheel;
    const auto at = byDate.find(lone.date);
    const auto holds = [&](std::map<CalendarDate, Draw>::const_iterator it) {
        return std::abs(it->first.dayNumber() - lone.date.dayNumber()) <= SplitDateMaxDays &&
               it->second.wheelCount() >= 2 && it->second.wheels[wheel] == lone.wheels[wheel];
    };
    return (at != byDate.begin() && holds(std::prev(at))) ||
           (std::next(at) != byDate.end() && holds(std::next(at)));
}

} // namespace

std::string italianCount(long long value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ".");
    return value < 0 ? "-" + digits : digits;
}

std::string numbersText(const WheelNumbers& numbers) {
    return formatArchiveCell(numbers);
}

ArchiveMerge mergeHistory(const std::vector<Draw>& archive, const std::vector<Draw>& history) {
    ArchiveMerge merge;
    merge.archiveDraws = static_cast<int>(archive.size());

    std::map<CalendarDate, Draw> byDate;
    for (const auto& draw : archive)
        if (!byDate.emplace(draw.date, draw).second)
            // One of the two would be lost in the rewrite.
            throw StoricoError("l'archivio ha due estrazioni del " + draw.date.programText() +
                               ": l'aggiornamento non saprebbe quale tenere");
    std::set<CalendarDate> archiveDates;
    for (const auto& [date, draw] : byDate)
        archiveDates.insert(date);
    std::set<CalendarDate> historyDates;
    for (const auto& draw : history) {
        historyDates.insert(draw.date);
        auto [slot, inserted] = byDate.emplace(draw.date, draw);
        if (inserted)
            continue;
        for (std::size_t wheel = 0; wheel < draw.wheels.size(); ++wheel)
            if (draw.wheels[wheel])
                slot->second.wheels[wheel] = draw.wheels[wheel];
    }

    merge.draws.reserve(byDate.size());
    for (auto& [date, draw] : byDate)
        merge.draws.push_back(draw);
    std::erase_if(merge.draws, [&](const Draw& lone) { return alreadyJoined(lone, byDate, archiveDates); });
    merge.joins =
        joinSplitDates(merge.draws, [&](const Draw& lone) { return !archiveDates.contains(lone.date); });

    std::map<CalendarDate, const Draw*> before;
    for (const auto& draw : archive)
        before.emplace(draw.date, &draw);
    for (const auto& draw : merge.draws) {
        const auto old = before.find(draw.date);
        if (old == before.end()) {
            merge.added.push_back(draw);
            continue;
        }
        for (int wheel = 0; wheel < WheelCount; ++wheel) {
            const auto& now = draw.wheels[static_cast<std::size_t>(wheel)];
            const auto& was = old->second->wheels[static_cast<std::size_t>(wheel)];
            if (!now || now == was)
                continue;
            (was ? merge.corrections : merge.filled).push_back({draw.date, wheel, was, *now});
        }
    }

    std::set<CalendarDate> joinedInto;
    for (const auto& join : merge.joins)
        joinedInto.insert(join.draw);
    // A span runs over archive draws that follow each other in the archive (read in date order).
    bool previousOnlyInArchive = false;
    for (const auto& draw : archive) {
        const bool onlyInArchive = !historyDates.contains(draw.date) && !joinedInto.contains(draw.date);
        if (onlyInArchive && previousOnlyInArchive) {
            merge.archiveOnly.back().last = draw.date;
            ++merge.archiveOnly.back().count;
        } else if (onlyInArchive) {
            merge.archiveOnly.push_back({draw.date, draw.date, 1});
        }
        previousOnlyInArchive = onlyInArchive;
    }
    return merge;
}

std::vector<std::string> mergeReportLines(const ArchiveMerge& merge, std::size_t listLimit) {
    std::vector<std::string> lines;
    lines.push_back("Estrazioni nuove: " + italianCount(static_cast<long long>(merge.added.size())));
    for (std::size_t i = 0; i < merge.added.size() && i < listLimit; ++i)
        lines.push_back("  + " + merge.added[i].date.programText() + " (" + wheelsText(merge.added[i]) + ")");
    if (merge.added.size() > listLimit)
        lines.push_back("  ... e altre " +
                        italianCount(static_cast<long long>(merge.added.size() - listLimit)));

    if (!merge.filled.empty()) {
        lines.push_back("Ruote aggiunte a estrazioni già in archivio: " +
                        italianCount(static_cast<long long>(merge.filled.size())));
        for (const auto& change : merge.filled)
            lines.push_back("  + " + change.date.programText() + " " + wheelCode(change.wheel) + ": " +
                            numbersText(change.after));
    }
    lines.push_back("Correzioni: " + italianCount(static_cast<long long>(merge.corrections.size())));
    for (const auto& change : merge.corrections)
        lines.push_back("  " + change.date.programText() + " " + wheelCode(change.wheel) + ": " +
                        numbersText(*change.before) + " -> " + numbersText(change.after));
    for (const auto& join : merge.joins)
        lines.push_back("Data sfasata: " + wheelCode(join.wheel) + " del " + join.lone.programText() +
                        " unita all'estrazione del " + join.draw.programText());

    if (!merge.archiveOnly.empty()) {
        int count = 0;
        for (const auto& span : merge.archiveOnly)
            count += span.count;
        lines.push_back("Estrazioni solo nell'archivio, mantenute: " + italianCount(count));
        for (const auto& span : merge.archiveOnly)
            lines.push_back(span.count == 1 ? "  " + span.first.programText()
                                            : "  " + dateSpanText(span.first, span.last) + " (" +
                                                  drawCountText(span.count) + ")");
    }
    if (!merge.draws.empty())
        lines.push_back("Dopo l'aggiornamento: " + drawCountText(static_cast<long long>(merge.draws.size())) +
                        ", l'ultima del " + merge.draws.back().date.programText());
    return lines;
}

std::string drawCountText(long long count) {
    return italianCount(count) + (count == 1 ? " estrazione" : " estrazioni");
}

} // namespace storico
