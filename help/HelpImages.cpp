// Renders the pictures the help pages show: every icon button and the start window's picture, so
// that the help always matches what the program draws.
#include "gui/kit/ProgramIcons.h"
#include "gui/kit/StartPicture.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path()))
        return 1;
    for (ProgramIcon which : allProgramIcons) {
        const QString name = QFileInfo(programIconPath(which)).completeBaseName() + QStringLiteral(".png");
        // The logo heads the contents page, a little larger than the buttons.
        const int side = which == ProgramIcon::ProgramLogo ? 32 : 24;
        if (!programIcon(which).pixmap(side, side).save(out.filePath(name))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out.filePath(name)));
            return 1;
        }
    }
    if (!startPicture(QSize(480, 200)).save(out.filePath(QStringLiteral("inizio.png"))))
        return 1;
    return 0;
}
