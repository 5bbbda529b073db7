#pragma once

#include "gui/kit/GridView.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

// Window tests reach a window's controls by their object names and drive them as a user would.

template <typename T> T* findControl(const QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

inline void clickButton(const QWidget& window, const char* name) {
    QTest::mouseClick(findControl<QAbstractButton>(window, name), Qt::LeftButton);
}

// Clicks a check box on its indicator, as a user does, until it shows the wanted state.
inline void clickCheckBoxTo(const QWidget& window, const char* name, bool checked) {
    auto* box = findControl<QCheckBox>(window, name);
    if (box->isChecked() == checked)
        return;
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator.center());
    EXPECT_EQ(box->isChecked(), checked) << name;
}

// Clicks a grid's cell where it is on screen.
inline void clickGridCell(const GridView& grid, int row, int col, Qt::MouseButton button = Qt::LeftButton) {
    const GridView::CellSpot spot = grid.cellSpot(row, col);
    ASSERT_NE(spot.widget, nullptr);
    ASSERT_FALSE(spot.rect.isEmpty()) << row << "," << col;
    QTest::mouseClick(spot.widget, button, Qt::NoModifier, spot.centre());
}
