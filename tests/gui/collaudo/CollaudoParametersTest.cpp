#include "gui/collaudo/CollaudoParameters.h"

#include "core/Collaudo.h"
#include "core/DrawArchive.h"
#include "core/Stakes.h"
#include "gui/collaudo/CollaudoPresentation.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

// A fresh Collaudo window asks the back-test for the method's defaults over the whole archive.
TEST(CollaudoParametersDefaults, AFreshWindowAsksForTheMethodsDefaultsOverTheWholeArchive) {
    DrawArchive archive;
    archive.fillWheelCodesAndDiametral();
    archive.storeDate(1, QStringLiteral("02/01/2020"));
    archive.storeDate(2, QStringLiteral("04/01/2020"));
    archive.storeDate(3, QStringLiteral("07/01/2020"));
    archive.setDrawCount(3);
    const CollaudoParameters parameters(archive);
    const CollaudoSettings s = collaudoSettings(parameters, archive);
    EXPECT_EQ(static_cast<const MethodSettings&>(s), MethodSettings());
    const Stakes stakes;
    EXPECT_EQ(s.stakes.ambata, stakes.ambata);
    EXPECT_EQ(s.stakes.ambo, stakes.ambo);
    EXPECT_EQ(s.stakes.terno, stakes.terno);
    EXPECT_EQ(s.stakes.quaterna, stakes.quaterna);
    EXPECT_EQ(s.first, 1);
    EXPECT_EQ(s.last, 3);
}

// The stake fields hold euro and cents only: a kept stake that is not one (an overflow, not a number, a
// fraction of a cent, a negative sum, more than the field takes) leaves the field as it was, never
// clamped or rounded into another stake; the stakes the fields hold are always valid ones.
TEST(CollaudoParametersStakes, OnlyEuroAndCentsReachTheStakeFields) {
    DrawArchive archive;
    archive.fillWheelCodesAndDiametral();
    archive.storeDate(1, QStringLiteral("02/01/2020"));
    archive.setDrawCount(1);
    CollaudoParameters parameters(archive);
    const std::array<double, 4> start{2.5, 0.0, 1.0, 1000.0};
    parameters.setStakes(start);
    ASSERT_EQ(parameters.stakes(), start);
    for (const double bad :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN(), 1e308, -0.5, 0.005, 2.999, 1000.01, MaxStake + 1.0}) {
        SCOPED_TRACE(bad);
        parameters.setStakes({bad, bad, bad, bad});
        EXPECT_EQ(parameters.stakes(), start);
    }
    parameters.setStakes({0.01, 999.99, 0.0, 12.3});
    EXPECT_EQ(parameters.stakes(), (std::array<double, 4>{0.01, 999.99, 0.0, 12.3}));
    for (const double stake : parameters.stakes())
        EXPECT_TRUE(isValidStake(stake));
}

} // namespace
