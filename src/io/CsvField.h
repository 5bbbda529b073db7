#pragma once

#include <QString>

// One field of a csv line, as the program writes csv everywhere (the tools' tables with ',', the grids'
// export with ';'): quoted when it holds the separator, a quote or a line break, its quotes doubled.
QString csvField(const QString& text, QChar separator = QLatin1Char(','));
