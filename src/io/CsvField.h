#pragma once

#include <QString>

// One comma-separated field, as the program writes csv everywhere (the tools' tables, the grids' export
// and copy): quoted when it holds a comma, a quote or a line break, its quotes doubled.
QString csvField(const QString& text);
