#include "gui/kit/SelectionGrids.h"

#include "core/DrawArchive.h"

#include <cmath>

namespace {
constexpr int WheelColumns = WheelCount;
constexpr int PositionColumns = PositionCount;

template <std::size_t N> std::array<bool, N> chosenCells(const GridModel& grid, GridModel::Colour chosen) {
    std::array<bool, N> cells{};
    for (std::size_t c = 0; c < N; ++c)
        cells[c] = grid.backColour(0, static_cast<int>(c)) == chosen;
    return cells;
}

template <std::size_t N>
void showCells(GridModel& grid, const std::array<bool, N>& cells, GridModel::Colour chosen) {
    for (std::size_t c = 0; c < N; ++c)
        grid.setBackColour(0, static_cast<int>(c), cells[c] ? chosen : NotChosenColour);
}

void toggleCurrent(GridModel& grid, GridModel::Colour chosen) {
    const int r = grid.currentRow();
    const int c = grid.currentCol();
    grid.setBackColour(r, c, grid.backColour(r, c) == chosen ? NotChosenColour : chosen);
}
} // namespace

int twipsToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / TwipsPerPixel));
}

void layoutWheelChooser(GridModel& wheels, const DrawArchive& archive) {
    GridModel::Batch batch(wheels);
    wheels.setRows(1);
    wheels.setCols(WheelColumns);
    wheels.setFixedRows(0);
    wheels.setFixedCols(0);
    for (int w = 0; w < WheelColumns; ++w) {
        wheels.setColWidth(w, twipsToPixels(320));
        wheels.setText(0, w, archive.wheelCode(w));
    }
    wheels.setBackColour(0, 0, 0, WheelColumns - 1, NotChosenColour);
}

void layoutPositionChooser(GridModel& positions) {
    GridModel::Batch batch(positions);
    positions.setRows(1);
    positions.setCols(PositionColumns);
    positions.setFixedRows(0);
    positions.setFixedCols(0);
    for (int c = 1; c <= PositionColumns; ++c) {
        positions.setColWidth(c - 1, twipsToPixels(300));
        positions.setText(0, c - 1, QString::number(c));
        positions.setColCentred(c - 1, true);
    }
    positions.setBackColour(0, 0, 0, PositionColumns - 1, NotChosenColour);
}

std::array<bool, WheelCount> chosenWheels(const GridModel& wheels) {
    return chosenCells<WheelCount>(wheels, ChosenWheelColour);
}
std::array<bool, PositionCount> chosenPositions(const GridModel& positions) {
    return chosenCells<PositionCount>(positions, ChosenPositionColour);
}
void showWheels(GridModel& wheels, const std::array<bool, WheelCount>& chosen) {
    showCells(wheels, chosen, ChosenWheelColour);
}
void showPositions(GridModel& positions, const std::array<bool, PositionCount>& chosen) {
    showCells(positions, chosen, ChosenPositionColour);
}

void selectAllWheels(GridModel& wheels) {
    wheels.setBackColour(0, 0, 0, WheelColumns - 1, ChosenWheelColour);
}
void deselectAllWheels(GridModel& wheels) {
    wheels.setBackColour(0, 0, 0, WheelColumns - 1, NotChosenColour);
}
void selectAllPositions(GridModel& positions) {
    positions.setBackColour(0, 0, 0, PositionColumns - 1, ChosenPositionColour);
}
void deselectAllPositions(GridModel& positions) {
    positions.setBackColour(0, 0, 0, PositionColumns - 1, NotChosenColour);
}

void toggleCurrentWheel(GridModel& wheels) {
    toggleCurrent(wheels, ChosenWheelColour);
}
void toggleCurrentPosition(GridModel& positions) {
    toggleCurrent(positions, ChosenPositionColour);
}
