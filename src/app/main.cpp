#include "app/StartCheck.h"
#include "core/DrawArchive.h"
#include "core/ProgramVersion.h"
#include "core/metodi/ScriptError.h"
#include "core/metodi/ScriptRun.h"
#include "gui/ambo/AmboOltreFrm.h"
#include "gui/collaudo/CollaudoFrm.h"
#include "gui/frame/Container.h"
#include "gui/kit/Palette.h"
#include "gui/kit/QtHelpService.h"
#include "gui/kit/QtProgramEnd.h"
#include "gui/kit/QtPrompts.h"
#include "gui/kit/QtTranslations.h"
#include "gui/metodo/MetodoFrm.h"
#include "gui/minilist/Estrazioni_minielenco.h"
#include "gui/start/INIZIO.h"
#include "gui/spia/SpiaFrm.h"
#include "gui/statistiche/StatisticheFrm.h"
#include "io/MethodsFolder.h"
#include "io/ProgramFolders.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QScrollBar>
#include <QSettings>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

const char* const kHelpText =
    "Uso: veltrano [--help] [--version]\n"
    "\n"
    "Veltrano, analisi del Lotto italiano: apre la finestra di avvio, da cui si sceglie l'archivio delle\n"
    "estrazioni (Dbarcomax.mdb) o lo si crea dallo storico del gestore.\n"
    "\n"
    "  --help     mostra questo aiuto\n"
    "  --version  mostra la versione del programma\n"
    "\n"
    "File: l'aiuto, l'archivio di esempio e il modello del database del programma stanno in\n"
    "../lib/veltrano rispetto al programma (nella cartella di compilazione, accanto al programma). Il\n"
    "database del programma (DbVeltrano.mdb) e PercorsoDatabase.txt stanno lì se la cartella è\n"
    "scrivibile e non è sotto /usr; altrimenti nella cartella dei dati dell'utente,\n"
    "$XDG_DATA_HOME/veltrano (di solito ~/.local/share/veltrano), creata al primo avvio. La posizione\n"
    "della finestra principale resta in ~/.config/Veltrano/Veltrano.conf.\n";

bool asksHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    // Answered before the application object, which would want a display.
    if (answerVersion(argc, argv, "veltrano"))
        return 0;
    if (asksHelp(argc, argv)) {
        std::fputs(kHelpText, stdout);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltrano"));
    QApplication::setOrganizationName(QStringLiteral("Veltrano"));
    QtTranslations::installItalian();

    // The helper, the help file and the sample archive are read from the program's files folder; the
    // database and PercorsoDatabase.txt are written in the data folder (io/ProgramFolders.h).
    const QString filesDir = programFilesFolder(QCoreApplication::applicationDirPath());
    QtHelpService help(QDir(filesDir).filePath(QStringLiteral("HelpVeltrano.chm")));
    StartCheck check;
    QtPrompts qtPrompts(&help);
    Prompts& prompts = StartCheck::requested() ? static_cast<Prompts&>(check) : qtPrompts;

    QString dataDir;
    try {
        dataDir = userDataFolder(filesDir);
    } catch (const std::runtime_error& e) {
        prompts.message(QString::fromUtf8(e.what()), QStringLiteral("Veltrano"), MessageIcon::Critical);
        return 1;
    }
    // The user's own settings (where the frame was), apart from the program's database.
    QSettings settings;
    // Where the history was last picked, for CREA DA STORICO… and "Aggiorna archivio" in the next run too.
    qtPrompts.setSettings(&settings);
    DrawArchive archive;
    Palette palette;
    QtProgramEnd programEnd;
    // The player's methods: a folder of their own in the data folder, the shipped examples beside the program.
    QString methodsDir;
    try {
        methodsDir = prepareMethodsFolder(filesDir, dataDir);
    } catch (const std::runtime_error& e) {
        prompts.message(QString::fromUtf8(e.what()), QStringLiteral("Veltrano"), MessageIcon::Exclamation);
    }
    const QString examplesDir = QDir(filesDir).filePath(QStringLiteral("metodi"));
    // The editor's check: the script compiled and its top level run on the loaded archive.
    const MetodoFrm::Check checkScript = [&archive](const QString& source) -> std::optional<ScriptProblem> {
        try {
            scriptParameters(source, archive);
            return std::nullopt;
        } catch (const ScriptError& e) {
            return ScriptProblem{e.line(), e.message()};
        }
    };

    const QString readerProgram = readerProgramFor(QCoreApplication::applicationDirPath());
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
                auto* collaudo = new CollaudoFrm(archive, palette, prompts, help, frameServices);
                collaudo->setMethodsFolder(methodsDir);
                return collaudo;
            },
            [](QWidget& miniList, int drawIndex) {
                static_cast<Estrazioni_minielenco&>(miniList).hs1->setValue(drawIndex);
            },
            &prompts,
            readerProgram,
            [&](FrameServices& frameServices) -> QWidget* {
                return new StatisticheFrm(archive, prompts, help, frameServices);
            },
            [&](FrameServices& frameServices) -> QWidget* {
                return new SpiaFrm(archive, prompts, help, frameServices, methodsDir);
            },
            [&](FrameServices& frameServices) -> QWidget* {
                return new MetodoFrm(prompts, help, frameServices, {methodsDir, examplesDir}, checkScript);
            },
            [](QWidget& collaudo, const QString& scriptPath) {
                static_cast<CollaudoFrm&>(collaudo).showScript(scriptPath);
            }};
        frame = new Container(services);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->MDIForm_Load();
        frame->showPlaced(settings);
        if (StartCheck::requested())
            check.frameShown(archive, dataDir);
    };
    auto* start = new INIZIO({archive, prompts, programEnd, help, dataDir, readerProgram, openMainWindow});
    start->setAttribute(Qt::WA_DeleteOnClose);
    start->Form_Load();
    if (StartCheck::requested())
        check.pressProceed(*start);
    if (programEnd.hasEnded())
        return 1;
    return app.exec();
}
