#include "ArchiveBuilder.h"
#include "ArchiveFixtures.h"
#include "core/DrawArchive.h"
#include "core/SpyScript.h"
#include "core/SpyTable.h"
#include "core/metodi/ScriptCollaudo.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>

namespace spyscript {

// The method written for a follower plays the table's events: its complete positive cases are the
// follower's presences and its expected positives the table's expected presences.
void expectScriptAgrees(const DrawArchive& archive, const SpySettings& s, const std::vector<int>& followers) {
    const SpyTable table = computeSpyTable(s, archive);
    for (const int follower : followers) {
        SCOPED_TRACE(spyScriptName(s, follower).toStdString());
        ScriptRunOptions run;
        run.first = s.first;
        run.last = s.last;
        run.limits.time = std::chrono::minutes(2); // a loaded machine's Debug build, not the program's cap
        const CollaudoResult r = runScriptCollaudo(spyScript(s, follower), archive, run);
        const SpyFollower& f = table.seguenti[static_cast<std::size_t>(follower - 1)];
        EXPECT_EQ(r.riepilogo.casi, table.eventi);
        EXPECT_EQ(r.riepilogo.casiCompleti, table.eventiCompleti);
        EXPECT_EQ(r.riepilogo.positiviCompleti, f.presenze);
        EXPECT_NEAR(r.riepilogo.attesi, f.attese, 1e-9 * std::max(1.0, f.attese));
    }
}

TEST(SpyScript, PlaysTheTablesEventsOnRandomDraws) {
    DrawArchive archive;
    ArchiveBuilder build(archive);
    build.randomDraws(300, 11);
    build.emptyDraws(3); // no wheel drawn: chance 0 in those window draws
    build.randomDraws(60, 12);
    build.finish();
    expectScriptAgrees(archive, {.spia = 5, .ruota = 0, .ruotaSeguenti = 0, .colpi = 4, .first = 1, .last = 0}, {5, 17, 90});
    expectScriptAgrees(archive, {.spia = 40, .ruota = TutteWheel, .ruotaSeguenti = 3, .colpi = 2, .first = 20, .last = 330},
                       {1, 40});
    expectScriptAgrees(archive, {.spia = 12, .ruota = 7, .ruotaSeguenti = TutteWheel, .colpi = 9, .first = 1, .last = 0},
                       {12, 81});
}

TEST(SpyScript, PlaysTheTablesEventsOnTheRealHistory) {
    QString error;
    const std::unique_ptr<DrawArchive> archive = fixtures::loadRealHistory(error);
    if (!archive)
        GTEST_SKIP() << error.toStdString();
    expectScriptAgrees(*archive, {.spia = 90, .ruota = 0, .ruotaSeguenti = 0, .colpi = 9, .first = 1, .last = 0}, {81, 1});
}

} // namespace spyscript
