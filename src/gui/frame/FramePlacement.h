#pragma once

#include <QRect>

class QSettings;
class QWidget;

// Where the frame goes on screen. Its last geometry is kept in the program's settings and brought back
// inside the screen's free area (without the panels) the next time, so a smaller screen, a panel that
// has grown or a monitor that is gone never leave part of the frame out of reach.
class FramePlacement {
public:
    // `saved` shrunk to fit `available` where larger, then moved the least that brings it inside.
    static QRect fitted(const QRect& saved, const QRect& available);

    // Shows `frame` at its kept geometry fitted to the free area of its screen, or maximized when
    // nothing is kept or it was maximized last time.
    static void show(QWidget& frame, QSettings& settings);

    // Keeps the frame's geometry (with its title bar and borders) and whether it is maximized.
    static void keep(const QWidget& frame, QSettings& settings);
};
