#pragma once

#include "core/WheelNames.h"
#include "gui/kit/GridModel.h"

#include <array>

class DrawArchive;

// The one-row grids that choose wheels and positions: a cell is chosen when its background is the
// chosen colour, white otherwise.
inline constexpr GridModel::Colour ChosenWheelColour = 65535;    // yellow
inline constexpr GridModel::Colour ChosenPositionColour = 65280; // green
inline constexpr GridModel::Colour NotChosenColour = 16777215;   // white

inline constexpr int TwipsPerPixel = 15;
int twipsToPixels(int twips);

// The wheel chooser: eleven cells with the wheel codes, none chosen; the position chooser: 1..5.
void layoutWheelChooser(GridModel& wheels, const DrawArchive& archive);
void layoutPositionChooser(GridModel& positions);

// The choice the grids show, as the method reads it, and a choice shown on them.
std::array<bool, WheelCount> chosenWheels(const GridModel& wheels);
std::array<bool, PositionCount> chosenPositions(const GridModel& positions);
void showWheels(GridModel& wheels, const std::array<bool, WheelCount>& chosen);
void showPositions(GridModel& positions, const std::array<bool, PositionCount>& chosen);

void selectAllWheels(GridModel& wheels);
void deselectAllWheels(GridModel& wheels);
void selectAllPositions(GridModel& positions);
void deselectAllPositions(GridModel& positions);

// The user moved onto a cell: flip the current cell between its chosen colour and white.
void toggleCurrentWheel(GridModel& wheels);
void toggleCurrentPosition(GridModel& positions);
