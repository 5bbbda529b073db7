#include "core/DrawArchive.h"
#include "gui/ambo/AmboOltreFrm.h"
#include "gui/collaudo/CollaudoFrm.h"
#include "gui/frame/Container.h"
#include "gui/kit/Palette.h"
#include "gui/kit/QtHelpService.h"
#include "gui/kit/QtProgramEnd.h"
#include "gui/kit/QtPrompts.h"
#include "gui/kit/QtTranslations.h"
#include "gui/minilist/Estrazioni_minielenco.h"
#include "gui/start/INIZIO.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QScrollBar>
#include <QSettings>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltrano"));
    QApplication::setOrganizationName(QStringLiteral("Veltrano"));
    QtTranslations::installItalian();

    // The program's folder holds its database, the help file and the archive reader helper.
    const QString programDir = QCoreApplication::applicationDirPath();
    // The user's own settings (where the frame was), apart from the program's database.
    QSettings settings;
    DrawArchive archive;
    Palette palette;
    QtHelpService help(QDir(programDir).filePath(QStringLiteral("HelpVeltrano.chm")));
    QtPrompts prompts(&help);
    QtProgramEnd programEnd;

    const QString readerProgram = QDir(programDir).filePath(QStringLiteral("veltrano-lettore"));
    QPointer<Container> frame;
    auto openMainWindow = [&] {
        Container::Services services{
            archive,
            palette,
            programEnd,
            help,
            [&](FrameServices&) -> QWidget* { return new Estrazioni_minielenco(archive, prompts, help); },
            [&](FrameServices& frameServices) -> QWidget* {
                return new AmboOltreFrm(archive, palette, prompts, help, frameServices);
            },
            [&](FrameServices& frameServices) -> QWidget* {
                return new CollaudoFrm(archive, palette, prompts, help, frameServices);
            },
            [](QWidget& miniList, int drawIndex) {
                static_cast<Estrazioni_minielenco&>(miniList).hs1->setValue(drawIndex);
            },
            &prompts,
            readerProgram};
        frame = new Container(services);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->MDIForm_Load();
        frame->showPlaced(settings);
    };
    auto* start = new INIZIO({archive, prompts, programEnd, help, programDir, readerProgram, openMainWindow});
    start->setAttribute(Qt::WA_DeleteOnClose);
    start->Form_Load();
    if (programEnd.hasEnded())
        return 1;
    return app.exec();
}
