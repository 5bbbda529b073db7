#pragma once

#include "core/MethodSettings.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The values of the method's command-line options, shared by veltrano-analisi and veltrano-collaudo.
// Each reader returns an Italian error text, empty when the value is good.

// A setting's option, without its dashes: "colpi".
QString optionName(const MethodSettings::Name& name);
std::optional<int> optionWholeNumber(const QString& text);
QString readBoundedOption(const QString& name, const QString& text, int low, int high, int& out);
QString readWheelOption(const QString& value, std::array<bool, WheelCount>& wheels);          // BA,CA,...
QString readWheelOption(const QString& value, std::array<bool, WheelCount + 1>& wheels);      // and TU
QString readPositionOption(const QString& value, std::array<bool, PositionCount>& positions); // 1,2,...
QString readTypeOption(const QString& value, WheelRelations::Types& types); // tutte,adiacenti,...
QString readOutcomeOption(const QString& value, OutcomeBoxes& boxes);       // ambata,3ambi,quartina,tutte

// The option values that choose these types, positions and outcome boxes again ("adiacenti,diametrali",
// "1,2,3", "ambata,quartina").
QString typeOptionValue(const WheelRelations::Types& types);
QString positionOptionValue(const std::array<bool, PositionCount>& positions);
QString outcomeOptionValue(const OutcomeBoxes& boxes);
