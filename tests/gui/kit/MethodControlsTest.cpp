#include "gui/kit/MethodControls.h"

#include "core/DrawArchive.h"
#include "core/MethodSettings.h"
#include "gui/kit/GridView.h"
#include "gui/kit/SelectionGrids.h"

#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using namespace methodControls;

// The shared controls start as the method's defaults and keep the object names the window tests use.
TEST(MethodControls, StartAsTheMethodsDefaultsWithTheWindowsObjectNames) {
    QWidget parent;
    const MethodSettings d;

    const std::array<QCheckBox*, 7> types = wheelTypeBoxes(&parent);
    for (std::size_t t = 0; t < types.size(); ++t) {
        EXPECT_EQ(types[t]->objectName(), QStringLiteral("Ch_RuoteTipo_%1").arg(t));
        EXPECT_EQ(types[t]->text(), QString::fromUtf8(WheelRelations::TypeNames[t]));
        EXPECT_EQ(types[t]->isChecked(), d.types[t]) << t;
    }
    QCheckBox* adjacent = adjacentPositionsBox(&parent);
    EXPECT_EQ(adjacent->objectName(), QStringLiteral("ChPosAdi"));
    EXPECT_EQ(adjacent->text(), QStringLiteral("Adiacenti"));
    EXPECT_EQ(adjacent->isChecked(), d.adjacentPositions);

    const std::array<QCheckBox*, 4> outcomes = outcomeCheckBoxes(&parent);
    const char* const names[] = {"Ch_1", "Ch_2", "Ch_4", "Ch_Tutte"};
    const char* const captions[] = {"Ambata", "3 ambi", "Quartina", "Tutte"};
    for (std::size_t b = 0; b < outcomes.size(); ++b) {
        EXPECT_EQ(outcomes[b]->objectName(), QString::fromLatin1(names[b]));
        EXPECT_EQ(outcomes[b]->text(), QString::fromUtf8(captions[b]));
        EXPECT_EQ(outcomes[b]->isChecked(), d.boxes.flags()[b]) << b;
    }

    QComboBox colpi;
    colpi.addItem(QStringLiteral("stale"));
    fillColpiChoices(colpi);
    ASSERT_EQ(colpi.count(), MethodSettings::MaxColpi);
    EXPECT_EQ(colpi.itemText(0), QStringLiteral("1"));
    EXPECT_EQ(colpi.itemText(colpi.count() - 1), QString::number(MethodSettings::MaxColpi));
    EXPECT_EQ(colpi.currentText(), QString::number(d.colpi));

    const SelectionControls selection = selectionControls(&parent);
    const std::pair<QWidget*, const char*> named[] = {{selection.wheels, "FgR"},
                                                      {selection.positions, "Fgp"},
                                                      {selection.selectAllWheels, "Label6"},
                                                      {selection.deselectAllWheels, "Label9"},
                                                      {selection.selectAllPositions, "Label32"},
                                                      {selection.deselectAllPositions, "Label30"}};
    for (const auto& [widget, name] : named) {
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->objectName(), QString::fromLatin1(name));
        EXPECT_EQ(widget->parent(), &parent) << name;
    }
}

// What a chooser shows is what the method reads back from it, cell for cell.
TEST(SelectionGrids, ChoiceShownReadsBackAndATouchFlipsOneCell) {
    DrawArchive archive;
    archive.fillWheelCodesAndDiametral();
    GridModel wheels;
    GridModel positions;
    layoutWheelChooser(wheels, archive);
    layoutPositionChooser(positions);
    EXPECT_EQ(chosenWheels(wheels), (std::array<bool, WheelCount>{}));
    EXPECT_EQ(chosenPositions(positions), (std::array<bool, PositionCount>{}));
    EXPECT_EQ(wheels.text(0, 7), QStringLiteral("RO"));
    EXPECT_EQ(wheels.text(0, 10), QStringLiteral("NZ"));

    for (unsigned mask : {0u, 1u, 0x155u, 0x400u, 0x7FFu}) {
        std::array<bool, WheelCount> chosen{};
        for (int w = 0; w < WheelCount; ++w)
            chosen[w] = (mask >> w) & 1u;
        showWheels(wheels, chosen);
        EXPECT_EQ(chosenWheels(wheels), chosen) << mask;
        std::array<bool, PositionCount> some{};
        for (int p = 0; p < PositionCount; ++p)
            some[p] = (mask >> p) & 1u;
        showPositions(positions, some);
        EXPECT_EQ(chosenPositions(positions), some) << mask;
    }

    showWheels(wheels, MethodSettings().wheels);
    wheels.setCurrentCell(0, 3);
    toggleCurrentWheel(wheels);
    std::array<bool, WheelCount> expected = MethodSettings().wheels;
    expected[3] = !expected[3];
    EXPECT_EQ(chosenWheels(wheels), expected);
    deselectAllWheels(wheels);
    EXPECT_EQ(chosenWheels(wheels), (std::array<bool, WheelCount>{}));
    selectAllPositions(positions);
    EXPECT_EQ(chosenPositions(positions), (std::array<bool, PositionCount>{true, true, true, true, true}));
}

} // namespace
