#pragma once

#include <QDate>
#include <QString>

class DrawArchive;

// A draw's date as the archive spells it ("22/12/2022"), read as dd/MM/yyyy; an invalid date when the
// text is no such date.
QDate drawDay(const QString& text);
// The date of a draw of the archive.
QDate drawDay(const DrawArchive& archive, int drawIndex);
