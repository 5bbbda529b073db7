#include "gui/kit/ProgramIcons.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QToolButton>

// The resources live in a static library: nothing references them, so the linker would drop them
// unless they are registered by hand.
static void registerIconResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(ProgramIcons);
        return true;
    }();
    (void)registered;
}

QString programIconPath(ProgramIcon which) {
    const char* name = "program-logo";
    switch (which) {
    case ProgramIcon::MiniList:
        name = "mini-list";
        break;
    case ProgramIcon::AmboWindow:
        name = "ambo-window";
        break;
    case ProgramIcon::Help:
        name = "help";
        break;
    case ProgramIcon::SearchDate:
        name = "search-date";
        break;
    case ProgramIcon::SearchIndex:
        name = "search-index";
        break;
    case ProgramIcon::ResetMarks:
        name = "reset-marks";
        break;
    case ProgramIcon::LastDraw:
        name = "last-draw";
        break;
    case ProgramIcon::FirstDraw:
        name = "first-draw";
        break;
    case ProgramIcon::UpdateArchive:
        name = "update-archive";
        break;
    case ProgramIcon::Collaudo:
        name = "collaudo";
        break;
    case ProgramIcon::Statistiche:
        name = "statistiche";
        break;
    case ProgramIcon::Spia:
        name = "spia";
        break;
    case ProgramIcon::Metodo:
        name = "metodo";
        break;
    case ProgramIcon::ProgramLogo:
        break;
    }
    return QStringLiteral(":/veltrano/icons/%1.svg").arg(QLatin1String(name));
}

QImage programIconImage(ProgramIcon which, int side) {
    registerIconResources();
    // Rendered here rather than through the SVG icon plugin, so that the icons do not depend on
    // which image plugins a machine has installed.
    QSvgRenderer renderer(programIconPath(which));
    if (!renderer.isValid())
        return {};
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, side, side));
    return image;
}

QIcon programIcon(ProgramIcon which) {
    registerIconResources();
    static QHash<int, QIcon> cache;
    const int key = static_cast<int>(which);
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;

    QIcon icon;
    for (int side : {16, 20, 24, 32, 48, 64}) {
        const QImage image = programIconImage(which, side);
        if (image.isNull())
            break;
        icon.addPixmap(QPixmap::fromImage(image));
    }
    cache.insert(key, icon);
    return icon;
}

QToolButton* programIconButton(QWidget* parent, const QString& objectName, ProgramIcon icon,
                               const QString& toolTip, int iconSize) {
    auto* button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setIcon(programIcon(icon));
    button->setIconSize(QSize(iconSize, iconSize));
    button->setToolTip(toolTip);
    button->setAccessibleName(toolTip);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}
