#include "core/Sweep.h"

#include "ArchiveBuilder.h"
#include "core/Collaudo.h"
#include "core/DrawArchive.h"

#include <atomic>
#include <cmath>
#include <gtest/gtest.h>

namespace {

CollaudoSettings settingsOf(const SweepRow& row, int first, int last) {
    CollaudoSettings s;
    s.types = row.types;
    s.positions = row.positions;
    s.adjacentPositions = row.adjacentPositions;
    s.colpi = row.colpi;
    s.first = first;
    s.last = last;
    return s;
}

void expectSameFigures(const SweepFigures& f, const CollaudoSummary& s) {
    EXPECT_EQ(f.casiCompleti, s.casiCompleti);
    EXPECT_EQ(f.positivi, s.positiviCompleti);
    EXPECT_NEAR(f.attesi, s.attesi, 1e-9);
    EXPECT_NEAR(f.saldo, s.saldo, 1e-6);
    ASSERT_TRUE(f.pEsatto.has_value());
    EXPECT_NEAR(*f.pEsatto / s.p, 1.0, 1e-9);
    // The ranking's approximation stays within a factor of two of the exact value, even on these few cases.
    EXPECT_LT(std::abs(std::log(f.p / s.p)), std::log(2.0)) << f.p << " exact " << s.p;
}

class SweepOnRandomDraws : public ::testing::Test {
protected:
    void SetUp() override {
        ArchiveBuilder build(archive);
        build.randomDraws(250, 17);
        build.finish();
    }
    DrawArchive archive;
};

// Each row shown is the back-test of its own settings: the sweep's sums give the same figures.
TEST_F(SweepOnRandomDraws, RowsAreTheBackTestOfTheirSettings) {
    for (const SweepSettings::Order order : {SweepSettings::Order::P, SweepSettings::Order::Resa}) {
        SweepSettings s;
        s.order = order;
        s.primi = 12;
        const SweepResult r = runSweep(s, archive);
        // 64 type sets; 26 position sets of two or more, 15 of them also with "Adiacenti"; 18 colpi.
        EXPECT_EQ(r.combinations, 64u * 41u * 18u);
        ASSERT_EQ(r.rows.size(), 12u);
        for (std::size_t i = 0; i < r.rows.size(); ++i) {
            SCOPED_TRACE(i);
            const SweepRow& row = r.rows[i];
            expectSameFigures(row.figures, runCollaudo(settingsOf(row, 1, 0), archive).riepilogo);
            EXPECT_GE(row.pHolm, row.figures.p);
            EXPECT_FALSE(row.fuori.has_value());
            if (i > 0 && order == SweepSettings::Order::P) {
                EXPECT_LE(r.rows[i - 1].figures.p, row.figures.p);
            }
            if (i > 0 && order == SweepSettings::Order::Resa) {
                EXPECT_GE(r.rows[i - 1].figures.resa.value_or(-1e300), row.figures.resa.value_or(-1e300));
            }
        }
    }
}

TEST_F(SweepOnRandomDraws, OutOfSampleFiguresAreTheBackTestFromTheSplitOn) {
    SweepSettings s;
    s.split = 150;
    s.primi = 6;
    const SweepResult r = runSweep(s, archive);
    ASSERT_EQ(r.rows.size(), 6u);
    for (const SweepRow& row : r.rows) {
        expectSameFigures(row.figures, runCollaudo(settingsOf(row, 1, 149), archive).riepilogo);
        ASSERT_TRUE(row.fuori.has_value());
        expectSameFigures(*row.fuori, runCollaudo(settingsOf(row, 150, 0), archive).riepilogo);
    }
}

TEST_F(SweepOnRandomDraws, ReportsProgressAndStopsWhenCancelled) {
    SweepSettings s;
    s.primi = 3;
    double lastShare = 0.0;
    bool increasing = true;
    const SweepResult whole = runSweep(s, archive, [&](double share) {
        increasing = increasing && share >= lastShare;
        lastShare = share;
    });
    EXPECT_TRUE(increasing);
    EXPECT_DOUBLE_EQ(lastShare, 1.0);
    EXPECT_FALSE(whole.cancelled);

    std::atomic<bool> cancel{false};
    const SweepResult stopped = runSweep(
        s, archive, [&](double) { cancel = true; }, &cancel);
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_TRUE(stopped.rows.empty());
}

} // namespace
