#pragma once

#include <QDate>
#include <QString>

class DrawArchive;

// A draw's date as the archive spells it ("22/12/2022"); an invalid date for any other text.
QDate drawDay(const QString& text);
// The date of a draw of the archive.
QDate drawDay(const DrawArchive& archive, int drawIndex);
