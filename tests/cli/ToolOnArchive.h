#pragma once

#include "ArchiveFixtures.h"
#include "ProgramRun.h"
#include "core/DrawArchive.h"
#include "io/ArchiveLoader.h"

#include <QDate>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <numeric>
#include <random>

// A tool of the program folder run on an archive file of random draws that a test suite writes once, and
// the same archive loaded in this process to compare with the engine.
class ToolOnArchive : public ::testing::Test {
protected:
    // `count` draws from `first`, three and four days apart, five different numbers on each wheel but where
    // `missing(draw, wheel)` (from 0) leaves the cell empty.
    static void writeRandomArchive(int count, std::uint32_t seed, QDate first,
                                   const std::function<bool(int, int)>& missing) {
        dir = std::make_unique<QTemporaryDir>();
        path = dir->filePath(QStringLiteral("Dbarcomax.mdb"));
        std::mt19937 gen(seed);
        std::vector<fixtures::Draw> draws;
        QDate date = first;
        for (int i = 0; i < count; ++i, date = date.addDays(i % 2 == 0 ? 3 : 4)) {
            fixtures::Draw d;
            d.year = date.year();
            d.month = date.month();
            d.day = date.day();
            for (int w = 0; w < WheelCount; ++w) {
                if (missing(i, w))
                    continue;
                std::vector<int> pool(90);
                std::iota(pool.begin(), pool.end(), 1);
                std::shuffle(pool.begin(), pool.end(), gen);
                QStringList cell;
                for (int p = 0; p < PositionCount; ++p)
                    cell << QStringLiteral("%1").arg(pool[p], 2, 10, QLatin1Char('0'));
                d.cells[w] = cell.join(QLatin1Char(' '));
            }
            draws.push_back(d);
        }
        fixtures::writeArchive(path, draws);
        archive = std::make_unique<DrawArchive>();
        archive->fillWheelCodesAndDiametral();
        archive->setModelStart(1);
        loadDrawArchive(*archive, path, QStringLiteral(VELTRANO_PROGRAM_DIR "/veltrano-lettore"));
    }

    static void TearDownTestSuite() {
        archive.reset();
        dir.reset();
    }

    // The tool with the arguments, and the archive after them unless told otherwise.
    static ToolRun runTool(const char* tool, const QStringList& args, bool withArchive = true) {
        const ToolRun run = runProgram(QLatin1String(tool), withArchive ? args + QStringList{path} : args);
        EXPECT_NE(run.exitCode, -1) << tool << " crashed or did not finish";
        return run;
    }

    // The tool's json output, which must come with exit code 0 and parse.
    static QJsonObject toolJson(const char* tool, const QStringList& args) {
        const ToolRun r =
            runTool(tool, args + QStringList{QStringLiteral("--formato"), QStringLiteral("json")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out.left(300).toStdString();
        return doc.object();
    }

    static inline std::unique_ptr<QTemporaryDir> dir;
    static inline QString path;
    static inline std::unique_ptr<DrawArchive> archive;
};
