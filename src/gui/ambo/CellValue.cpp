#include "gui/ambo/CellValue.h"

double cellValue(const GridModel& grid, int row, int col) {
    const QString text = grid.text(row, col);
    const qsizetype n = text.size();
    qsizetype i = n > 0 && text[0] == QLatin1Char('-') ? 1 : 0;
    if (n - i < 1 || n - i > 9)
        return GridModel::numericValue(text);
    int value = 0;
    for (qsizetype k = i; k < n; ++k) {
        const char16_t c = text[k].unicode();
        if (c < u'0' || c > u'9')
            return GridModel::numericValue(text);
        value = value * 10 + (c - u'0');
    }
    return i == 1 ? -value : value;
}
