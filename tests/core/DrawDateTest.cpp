#include "core/DrawDate.h"

#include "core/DrawArchive.h"

#include <gtest/gtest.h>

namespace {

// The quick reading of a draw's date gives what the general parser gives, for well-formed dates and for
// the texts a damaged archive or a test fixture may hold.
TEST(DrawDay, ReadsEveryTextAsTheGeneralParser) {
    const char* const texts[] = {"22/12/2022",  "01/01/1871", "29/02/2020", "29/02/2021", "31/04/2020",
                                 "00/01/2020",  "01/13/2020", "01/00/2020", "01/01/0000", "2/12/2022",
                                 "22/1/2022",   "22/12/22",   "22-12-2022", "2a/12/2022", " 2/12/2022",
                                 "22/12/2022 ", "+2/12/2022", "22/12/-022", "",           "2022/12/22"};
    for (const char* text : texts) {
        const QString t = QString::fromUtf8(text);
        EXPECT_EQ(drawDay(t), QDate::fromString(t, QStringLiteral("dd/MM/yyyy"))) << text;
    }
    EXPECT_EQ(drawDay(QStringLiteral("22/12/2022")), QDate(2022, 12, 22));
    EXPECT_EQ(drawDay(QStringLiteral("07/01/1871")), QDate(1871, 1, 7));
    EXPECT_FALSE(drawDay(QStringLiteral("29/02/2021")).isValid());
}

TEST(DrawDay, ReadsTheArchivesDates) {
    DrawArchive archive;
    archive.storeDate(1, QStringLiteral("02/01/2020"));
    archive.storeDate(2, QStringLiteral("04/01/2020"));
    archive.setDrawCount(2);
    EXPECT_EQ(drawDay(archive, 1), QDate(2020, 1, 2));
    EXPECT_EQ(drawDay(archive, 2), QDate(2020, 1, 4));
    EXPECT_FALSE(drawDay(archive, 3).isValid()); // no draw there: an empty date
}

} // namespace
