#include "cli/DrawRangeOptions.h"

#include "ArchiveBuilder.h"
#include "cli/CollaudoOptions.h"
#include "cli/StatisticheOptions.h"
#include "core/DrawArchive.h"

#include <gtest/gtest.h>

namespace {

// veltrano-collaudo and veltrano-statistiche read the same range options into the same bounds, and
// refuse the same ranges in the same words: both resolve them in resolveDrawRange.
TEST(DrawRangeOptions, BothToolsResolveARangeAlike) {
    DrawArchive archive;
    ArchiveBuilder build(archive, QDate(2020, 1, 2)); // one draw a day, ten draws
    build.emptyDraws(10);
    build.finish();
    struct Case {
        QStringList options;
        int first;
        int last;
        const char* error;
    };
    const Case cases[] = {
        {{}, 1, 10, ""},
        {{"--inizio", "3"}, 3, 10, ""},
        {{"--fine", "4"}, 1, 4, ""},
        {{"--inizio", "4", "--fine", "4"}, 4, 4, ""},
        {{"--dal", "2020-01-04"}, 3, 10, ""},
        {{"--al", "05/01/2020"}, 1, 4, ""},
        {{"--dal", "2019-12-01", "--al", "2020-03-01"}, 1, 10, ""},
        {{"--inizio", "11"}, 0, 0, "--inizio 11 fuori dall'archivio (estrazioni da 1 a 10)"},
        {{"--fine", "0"}, 0, 0, "--fine 0 fuori dall'archivio (estrazioni da 1 a 10)"},
        {{"--inizio", "6", "--fine", "5"}, 0, 0, "--inizio 6 dopo --fine 5"},
        {{"--dal", "2020-02-01"}, 0, 0, "nessuna estrazione nell'intervallo di date"},
        {{"--dal", "2020-01-06", "--al", "2020-01-05"}, 0, 0, "nessuna estrazione nell'intervallo di date"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        const QStringList arguments = c.options + QStringList{QStringLiteral("Dbarcomax.mdb")};
        CollaudoParse collaudo = parseCollaudoOptions(arguments);
        StatisticheParse statistiche = parseStatisticheOptions(arguments);
        ASSERT_EQ(collaudo.error, QString());
        ASSERT_EQ(statistiche.error, QString());
        const QString collaudoError = resolveCollaudoRange(collaudo.options, archive);
        const QString statisticheError = resolveStatisticheRange(statistiche.options, archive);
        EXPECT_EQ(collaudoError, QString::fromUtf8(c.error));
        EXPECT_EQ(statisticheError, QString::fromUtf8(c.error));
        if (*c.error == '\0') {
            EXPECT_EQ(collaudo.options.settings.first, c.first);
            EXPECT_EQ(collaudo.options.settings.last, c.last);
            EXPECT_EQ(statistiche.options.settings.first, c.first);
            EXPECT_EQ(statistiche.options.settings.last, c.last);
        }
    }
    // An archive without draws has no range at all.
    DrawArchive none;
    int first = 0;
    int last = 0;
    EXPECT_EQ(resolveDrawRange({}, none, first, last), QStringLiteral("--inizio 1 dopo --fine 0"));
}

} // namespace
