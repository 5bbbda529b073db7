#include "gui/frame/FramePlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace {

const QString OuterKey = QStringLiteral("Finestra/Geometria");
const QString DecorationKey = QStringLiteral("Finestra/Bordi");
const QString MaximizedKey = QStringLiteral("Finestra/Massimizzata");

int clampedStart(int start, int length, int areaStart, int areaLength) {
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}

} // namespace

QRect FramePlacement::fitted(const QRect& saved, const QRect& available) {
    const QSize size = saved.size().boundedTo(available.size());
    return QRect(clampedStart(saved.x(), size.width(), available.x(), available.width()),
                 clampedStart(saved.y(), size.height(), available.y(), available.height()), size.width(),
                 size.height());
}

void FramePlacement::show(QWidget& frame, QSettings& settings) {
    const QRect saved = settings.value(OuterKey).toRect();
    const QSize decoration = settings.value(DecorationKey).toSize();
    QScreen* screen = QGuiApplication::screenAt(saved.center());
    if (!screen)
        screen = frame.screen();
    const QRect available = screen->availableGeometry();
    const bool kept = saved.isValid() && decoration.isValid();
    if (kept) {
        const QRect outer = fitted(saved, available);
        // A top-level window moves by its outer corner but is sized without its title bar and borders.
        frame.resize(outer.size() - decoration);
        frame.move(outer.topLeft());
    } else {
        // Nothing kept: a size to come back to from maximized that fits the screen as well.
        QRect normal(QPoint(0, 0), available.size() * 9 / 10);
        normal.moveCenter(available.center());
        frame.resize(normal.size());
        frame.move(normal.topLeft());
    }
    if (!kept || settings.value(MaximizedKey).toBool())
        frame.showMaximized();
    else
        frame.show();
}

void FramePlacement::keep(const QWidget& frame, QSettings& settings) {
    const QSize decoration = frame.frameGeometry().size() - frame.geometry().size();
    // When maximized, the size to keep is the one the frame returns to.
    const QRect inner = frame.isMaximized() ? frame.normalGeometry() : frame.geometry();
    const QRect outer(inner.topLeft() - (frame.geometry().topLeft() - frame.frameGeometry().topLeft()),
                      inner.size() + decoration);
    settings.setValue(OuterKey, outer);
    settings.setValue(DecorationKey, decoration);
    settings.setValue(MaximizedKey, frame.isMaximized());
    settings.sync();
}
