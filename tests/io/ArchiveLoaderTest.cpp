#include "io/ArchiveLoader.h"

#include "ArchiveFixtures.h"
#include "core/DrawArchive.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// What the start window's bar is told during a load: news of the reading first (so the bar moves
// before any row has come), then the count, then each stored row.
TEST(ArchiveLoaderProgress, ReadingNewsComesFirstThenTheCountThenEachRow) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Dbarcomax.mdb"));
    fixtures::writeArchive(
        path, {fixtures::drawOn(2021, 1, 2), fixtures::drawOn(2021, 1, 5), fixtures::drawOn(2021, 1, 7)});
    std::vector<std::string> told;
    LoadProgress progress;
    progress.reading = [&](int read, int expected) {
        told.push_back("reading " + std::to_string(read) + "/" + std::to_string(expected));
    };
    progress.started = [&](int count) { told.push_back("started " + std::to_string(count)); };
    progress.rowStored = [&](int k) { told.push_back("row " + std::to_string(k)); };
    DrawArchive archive;
    loadDrawArchive(archive, path, QStringLiteral(VELTRANO_PROGRAM_DIR "/veltrano-lettore"), progress);

    ASSERT_GE(told.size(), 5u);
    EXPECT_EQ(told.front(), "reading 0/3");
    const std::vector<std::string> tail(told.end() - 4, told.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"started 3", "row 1", "row 2", "row 3"}));
    for (auto it = told.begin(); it != told.end() - 4; ++it)
        EXPECT_EQ(it->rfind("reading ", 0), 0u) << *it;
    EXPECT_EQ(archive.drawCount(), 3);
}

} // namespace
