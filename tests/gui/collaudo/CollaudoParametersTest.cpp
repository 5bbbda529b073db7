#include "gui/collaudo/CollaudoParameters.h"

#include "core/Collaudo.h"
#include "core/DrawArchive.h"
#include "gui/collaudo/CollaudoPresentation.h"

#include <gtest/gtest.h>

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

} // namespace
