#include "core/DrawDate.h"

#include "core/DrawArchive.h"

QDate drawDay(const QString& text) {
    // Read by hand: a back-test reads tens of thousands of dates, and the general parser is slow. Any
    // text but two digits, '/', two digits, '/', four digits goes to the parser, which gives the same.
    const QStringView t(text);
    bool plain = t.size() == 10 && t[2] == u'/' && t[5] == u'/';
    for (qsizetype i = 0; plain && i < t.size(); ++i)
        plain = i == 2 || i == 5 || (t[i].unicode() >= u'0' && t[i].unicode() <= u'9');
    if (!plain)
        return QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
    return QDate(t.mid(6, 4).toInt(), t.mid(3, 2).toInt(), t.mid(0, 2).toInt());
}

QDate drawDay(const DrawArchive& archive, int drawIndex) {
    return drawDay(archive.drawDate(drawIndex));
}
