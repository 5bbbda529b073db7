#include "gui/kit/StartPicture.h"

#include "core/WheelNames.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>
#include <algorithm>
#include <array>

namespace {

const QColor ink(0x1d, 0x35, 0x57);
const QColor night(0x10, 0x20, 0x3a);
const QColor lottoRed(0xd6, 0x28, 0x28);
const QColor gold(0xf4, 0xb4, 0x00);

// One draw on one wheel, shown as balls and lit on the board.
constexpr std::array<int, 5> shownNumbers = {5, 12, 33, 47, 90};

void drawBall(QPainter& painter, QPointF centre, qreal radius, int number) {
    QRadialGradient shine(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.3);
    shine.setColorAt(0.0, QColor(255, 140, 130));
    shine.setColorAt(0.45, lottoRed);
    shine.setColorAt(1.0, QColor(0x7a, 0x10, 0x10));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawEllipse(centre + QPointF(radius * 0.08, radius * 0.12), radius, radius);
    painter.setBrush(shine);
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawEllipse(centre, radius * 0.58, radius * 0.58);

    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(6, int(radius * 0.72)));
    painter.setFont(font);
    painter.setPen(ink);
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    painter.drawText(box, Qt::AlignCenter, QString::number(number));
}

void drawBoard(QPainter& painter, const QRectF& area) {
    const qreal cell = std::min(area.width() / 10.0, area.height() / 9.0);
    const QPointF origin(area.center().x() - cell * 5, area.center().y() - cell * 4.5);
    painter.setPen(QPen(QColor(255, 255, 255, 60), 1));
    painter.setBrush(QColor(255, 255, 255, 18));
    painter.drawRoundedRect(QRectF(origin, QSizeF(cell * 10, cell * 9)).adjusted(-4, -4, 4, 4), 6, 6);

    QFont font = painter.font();
    font.setBold(false);
    font.setPixelSize(std::max(5, int(cell * 0.5)));
    painter.setFont(font);
    for (int number = 1; number <= 90; ++number) {
        const int row = (number - 1) / 10;
        const int column = (number - 1) % 10;
        const QRectF box(origin.x() + column * cell, origin.y() + row * cell, cell, cell);
        const bool lit = std::find(shownNumbers.begin(), shownNumbers.end(), number) != shownNumbers.end();
        if (lit) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(gold);
            painter.drawEllipse(box.adjusted(1, 1, -1, -1));
            painter.setPen(night);
        } else {
            painter.setPen(QColor(220, 228, 240, 170));
        }
        painter.drawText(box, Qt::AlignCenter, QString::number(number));
    }
}

} // namespace

QPixmap startPicture(QSize size) {
    QPixmap pixmap(size.expandedTo(QSize(1, 1)));
    const qreal w = pixmap.width();
    const qreal h = pixmap.height();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(0x24, 0x45, 0x72));
    sky.setColorAt(1, night);
    painter.fillRect(pixmap.rect(), sky);

    // The eleven wheels along the bottom, on a red band.
    const qreal bandHeight = std::max(12.0, h * 0.14);
    const QRectF band(0, h - bandHeight, w, bandHeight);
    painter.fillRect(band, lottoRed);
    painter.fillRect(QRectF(0, band.top() - 2, w, 2), gold);
    QStringList wheels;
    QStringList codes;
    for (const WheelNaming& wheel : WheelNames) {
        wheels << QString::fromLatin1(wheel.name);
        codes << QString::fromLatin1(wheel.code);
    }
    QFont wheelFont = painter.font();
    wheelFont.setBold(true);
    wheelFont.setPixelSize(std::max(5, int(bandHeight * 0.42)));
    // Shrink until the names fit the width; on a narrow picture the wheel codes stand in for them.
    QString wheelLine = wheels.join(QStringLiteral(" \u00b7 "));
    auto fits = [&] { return QFontMetricsF(wheelFont).horizontalAdvance(wheelLine) <= w * 0.96; };
    while (wheelFont.pixelSize() > 7 && !fits())
        wheelFont.setPixelSize(wheelFont.pixelSize() - 1);
    if (!fits()) {
        wheelLine = codes.join(QLatin1Char(' '));
        while (wheelFont.pixelSize() > 5 && !fits())
            wheelFont.setPixelSize(wheelFont.pixelSize() - 1);
    }
    painter.setFont(wheelFont);
    painter.setPen(Qt::white);
    painter.drawText(band, Qt::AlignCenter, wheelLine);

    const qreal top = h * 0.06;
    const qreal bottom = band.top() - h * 0.06;
    const qreal boardWidth = std::min(w * 0.38, (bottom - top) * 10.0 / 9.0);
    const QRectF boardArea(w - boardWidth - w * 0.04, top, boardWidth, bottom - top);
    drawBoard(painter, boardArea);

    const qreal leftWidth = boardArea.left() - w * 0.04;
    const QFont plain = painter.font();
    QFont title = plain;
    title.setFamily(QStringLiteral("Serif"));
    title.setBold(true);
    title.setItalic(true);
    title.setPixelSize(std::max(8, int(std::min(h * 0.2, leftWidth * 0.2))));
    painter.setFont(title);
    const QRectF titleBox(w * 0.04, top, leftWidth, (bottom - top) * 0.42);
    painter.setPen(QColor(0, 0, 0, 90));
    painter.drawText(titleBox.translated(2, 2), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Veltrano"));
    painter.setPen(gold);
    painter.drawText(titleBox, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Veltrano"));

    const QString motto = QStringLiteral("Ambi uguali su due ruote");
    QFont subtitle = plain;
    subtitle.setBold(false);
    subtitle.setPixelSize(std::max(6, int(title.pixelSize() * 0.34)));
    while (subtitle.pixelSize() > 6 && QFontMetricsF(subtitle).horizontalAdvance(motto) > leftWidth)
        subtitle.setPixelSize(subtitle.pixelSize() - 1);
    painter.setFont(subtitle);
    painter.setPen(QColor(230, 236, 245));
    const QRectF subtitleBox(titleBox.left(), titleBox.bottom(), leftWidth, subtitle.pixelSize() * 1.6);
    painter.drawText(subtitleBox, Qt::AlignLeft | Qt::AlignVCenter, motto);

    const qreal ballsTop = subtitleBox.bottom();
    const qreal radius = std::max(4.0, std::min((bottom - ballsTop) * 0.36, leftWidth / 11.5));
    const qreal step = radius * 2.2;
    const qreal centreY = ballsTop + (bottom - ballsTop) / 2.0;
    for (int i = 0; i < int(shownNumbers.size()); ++i)
        drawBall(painter, QPointF(titleBox.left() + radius + i * step, centreY), radius, shownNumbers[i]);

    painter.end();
    return pixmap;
}
