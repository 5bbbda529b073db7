#pragma once

#include "core/MethodSettings.h"
#include "core/WheelRelations.h"

#include <QString>
#include <array>
#include <optional>

class DrawArchive;
class QDate;

// What is wrong with a choice of settings before a back-test or a sweep runs, in the words the window's
// box and the tools both print; empty when nothing is. A choice that can find no case would otherwise
// run and report a page of zeros as if it had measured something.

// The equal ambo lies on a pair of chosen wheels that a chosen type admits: two wheels at least, one type
// at least, and one such pair.
QString equalAmboWheelsError(const std::array<bool, WheelCount>& wheels, const WheelRelations::Types& types);

// Two wheels at least, whatever the types: the sweep tries every type itself, and the analysis (like the
// ambo window) searches what its types admit, none included.
QString twoWheelsError(const std::array<bool, WheelCount>& wheels);

// The wheels a method needs: the overdue number one wheel at least, the equal ambo as above (its sweep, which
// tries every type itself, two wheels).
QString methodWheelsError(MethodSettings::Metodo metodo, const std::array<bool, WheelCount>& wheels,
                          const WheelRelations::Types& types, bool sweep);

// The out-of-sample date splits the range's draws first..last in two: it must leave cases on both sides,
// so it falls after the first draw's day and no later than the last draw's.
QString outOfSampleError(const DrawArchive& archive, int first, int last, const QDate& from);

// A typed whole number ("9", " 12 ", "+3"): the number, or nothing for an empty text, letters or a decimal.
std::optional<int> wholeNumber(const QString& text);

// What the tools (what = "--colpi") and the windows (what = "Colpi") say of a text that is no whole number
// from low to high: "Colpi vuole un numero da 1 a 18: "0""; empty when it is one, which then goes to out.
QString boundedNumberError(const QString& what, const QString& text, int low, int high, int& out);
