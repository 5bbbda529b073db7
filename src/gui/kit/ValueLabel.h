#pragma once

#include <QString>

class QLabel;
class QWidget;

// A sunken, bold, centred label that shows a value (a draw's index, date, range), as the windows use
// beside their scroll bars.
QLabel* makeValueLabel(QWidget* parent, const QString& objectName);
