// Writes the program's logo as PNG files into an icon theme's folders (<folder>/<N>x<N>/apps/veltrano.png),
// drawn by the same code that draws the program's window icons.

#include "gui/kit/ProgramIcons.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    // Run at build time, where there may be no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("uso: veltrano-icona CARTELLA\n", stderr);
        return 2;
    }
    const QDir theme(arguments.at(1));
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(side);
        const QImage image = programIconImage(ProgramIcon::ProgramLogo, side);
        if (image.isNull() || !theme.mkpath(folder) ||
            !image.save(theme.filePath(folder + QStringLiteral("/veltrano.png")), "PNG")) {
            std::fprintf(stderr, "veltrano-icona: impossibile scrivere l'icona %dx%d in %s\n", side, side,
                         qPrintable(theme.path()));
            return 1;
        }
    }
    return 0;
}
