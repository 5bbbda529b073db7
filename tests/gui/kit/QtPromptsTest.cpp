#include "gui/kit/QtPrompts.h"

#include "ScriptedServices.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs `answer` on the modal box as soon as it is open: the real box, driven as a user would.
template <typename Box> void whenBoxOpens(std::function<void(Box*)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr) << "no box of the expected kind is open";
        answer(box);
    });
}

TEST(QtMessageBox, CriticalBoxHasItsIconTitleTextAndOnlyOk) {
    auto box = QtPrompts::createMessageBox(QStringLiteral("Attenzione, archivio errato"),
                                           QStringLiteral("Avviso"), MessageIcon::Critical);
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Avviso"));
    EXPECT_EQ(box->text(), QStringLiteral("Attenzione, archivio errato"));
    EXPECT_EQ(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST(QtMessageBox, EveryIconOfTheProgramMapsToItsQtIcon) {
    const std::pair<MessageIcon, QMessageBox::Icon> expected[] = {
        {MessageIcon::None, QMessageBox::NoIcon},
        {MessageIcon::Information, QMessageBox::Information},
        {MessageIcon::Exclamation, QMessageBox::Warning},
        {MessageIcon::Critical, QMessageBox::Critical},
        {MessageIcon::Question, QMessageBox::Question},
    };
    for (const auto& [icon, qtIcon] : expected)
        EXPECT_EQ(QtPrompts::createMessageBox(QStringLiteral("x"), QStringLiteral("t"), icon)->icon(),
                  qtIcon);
}

TEST(QtMessageBox, EmptyTitleShowsTheProgramName) {
    auto box = QtPrompts::createMessageBox(QStringLiteral("28"), QString(), MessageIcon::None);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Veltrano"));
}

TEST(QtMessageBox, TextIsShownAsWritten) {
    auto box =
        QtPrompts::createMessageBox(QStringLiteral("<b>1 < 2</b>"), QStringLiteral("t"), MessageIcon::None);
    box->show();
    bool literal = false;
    for (QLabel* label : box->findChildren<QLabel*>())
        literal = literal ||
                  (label->text() == QStringLiteral("<b>1 < 2</b>") && label->textFormat() == Qt::PlainText);
    EXPECT_TRUE(literal);
}

TEST(QtMessageBox, MessageWaitsForOkAndShowsTheRequestedBox) {
    QtPrompts prompts;
    QString seenText, seenTitle;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    whenBoxOpens<QMessageBox>([&](QMessageBox* box) {
        seenText = box->text();
        seenTitle = box->windowTitle();
        seenIcon = box->icon();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    prompts.message(QStringLiteral("Data non trovata"), QStringLiteral("Cerca data"),
                    MessageIcon::Information);
    EXPECT_EQ(seenText, QStringLiteral("Data non trovata"));
    EXPECT_EQ(seenTitle, QStringLiteral("Cerca data"));
    EXPECT_EQ(seenIcon, QMessageBox::Information);
}

TEST(QtInputBox, BuiltWithPromptTitleAndDefault) {
    auto dialog =
        QtPrompts::createInputDialog(QStringLiteral("Data ?"), QStringLiteral("Ricerca per data GG/MM/AAAA"),
                                     QStringLiteral("01/01/2020"));
    EXPECT_EQ(dialog->labelText(), QStringLiteral("Data ?"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Ricerca per data GG/MM/AAAA"));
    EXPECT_EQ(dialog->textValue(), QStringLiteral("01/01/2020"));
    EXPECT_EQ(dialog->inputMode(), QInputDialog::TextInput);
    EXPECT_EQ(QtPrompts::createInputDialog(QStringLiteral("Data ?"), QString(), QString())->windowTitle(),
              QStringLiteral("Veltrano"));
}

TEST(QtInputBox, ReturnsTheTypedText) {
    QtPrompts prompts;
    whenBoxOpens<QInputDialog>([](QInputDialog* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>();
        ASSERT_TRUE(edit);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("812"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(prompts.input(QStringLiteral("Inserire il n° indice dell'archivio modello."),
                            QStringLiteral("Scelta estrazione"), QStringLiteral("5")),
              QStringLiteral("812"));
}

TEST(QtInputBox, CancelGivesAnEmptyTextEvenWithADefault) {
    QtPrompts prompts;
    whenBoxOpens<QInputDialog>([](QInputDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    EXPECT_TRUE(prompts.input(QStringLiteral("Data ?"), QString(), QStringLiteral("05/01/2021")).isEmpty());
}

// A title the window manager would cut ("Ricerc…/AAAA") gets a box wide enough for it, input box and
// message box alike.
TEST(QtInputBox, IsWideEnoughForItsWholeTitle) {
    for (const char* title : {"Ricerca per data GG/MM/AAAA", "Ricerca per numero indice", "Scelta estrazione"}) {
        auto dialog = QtPrompts::createInputDialog(QStringLiteral("Data ?"), QString::fromUtf8(title), QString());
        dialog->show();
        QCoreApplication::processEvents();
        const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
        EXPECT_GT(dialog->width(), metrics.horizontalAdvance(QString::fromUtf8(title)) + 3 * metrics.height())
            << title;
        // And the message that may follow it, its text far shorter than its title.
        auto box = QtPrompts::createMessageBox(QStringLiteral("Data non trovata"), QString::fromUtf8(title),
                                               MessageIcon::Information);
        box->show();
        QCoreApplication::processEvents();
        EXPECT_GT(box->width(), metrics.horizontalAdvance(QString::fromUtf8(title)) + 3 * metrics.height())
            << title;
    }
}

class QtOpenFileBox : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        for (const char* name : {"Dbarcomax.mdb", "note.txt"}) {
            QFile file(folder.filePath(QLatin1String(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        request.title = QStringLiteral("Selezione archivio");
        request.folder = folder.path();
        request.fileName = QStringLiteral("*.mdb");
        request.filter = QStringLiteral("File di archivio (*.Mdb)");
        request.defaultSuffix = QStringLiteral("Mdb");
    }
    QTemporaryDir folder;
    FileDialogRequest request;
};

TEST_F(QtOpenFileBox, BuiltFromTheRequest) {
    auto dialog = QtPrompts::createOpenFileDialog(request);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Selezione archivio"));
    EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
    EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("File di archivio (*.Mdb)")});
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("Mdb"));
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
}

TEST_F(QtOpenFileBox, FilterShowsArchivesWhateverTheCaseOfTheirExtension) {
    auto dialog = QtPrompts::createOpenFileDialog(request);
    auto* model = dialog->findChild<QFileSystemModel*>();
    auto* list = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
    if (!model || !list)
        GTEST_SKIP() << "this Qt's file dialog is laid out differently";
    QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
    dialog->show();
    ASSERT_TRUE(loaded.count() > 0 || loaded.wait(3000));
    QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(list->rootIndex()), 1, 3000);
    EXPECT_EQ(list->model()->index(0, 0, list->rootIndex()).data().toString(),
              QStringLiteral("Dbarcomax.mdb"));
}

TEST_F(QtOpenFileBox, ReturnsTheChosenFile) {
    QtPrompts prompts;
    const QString archive = folder.filePath(QStringLiteral("Dbarcomax.mdb"));
    whenBoxOpens<QFileDialog>([archive](QFileDialog* dialog) {
        dialog->selectFile(archive);
        static_cast<QDialog*>(dialog)->accept(); // what the Open button does
    });
    EXPECT_EQ(QFileInfo(prompts.openFile(request)).canonicalFilePath(),
              QFileInfo(archive).canonicalFilePath());
}

TEST_F(QtOpenFileBox, CancelGivesAnEmptyPath) {
    QtPrompts prompts;
    whenBoxOpens<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_TRUE(prompts.openFile(request).isEmpty());
}

TEST_F(QtOpenFileBox, SaveDialogOffersANewFileAndAddsTheDefaultSuffix) {
    request.title = QStringLiteral("Esporta CSV");
    request.fileName = QStringLiteral("casi.csv");
    request.filter = QStringLiteral("File CSV (*.csv)");
    request.defaultSuffix = QStringLiteral("csv");
    auto dialog = QtPrompts::createSaveFileDialog(request);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Esporta CSV"));
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::AnyFile);
    request.folder = folder.filePath(QStringLiteral("manca"));
    EXPECT_EQ(QDir(QtPrompts::createSaveFileDialog(request)->directory()).canonicalPath(),
              QDir::home().canonicalPath());
    request.folder = folder.path();

    QtPrompts prompts;
    whenBoxOpens<QFileDialog>([this](QFileDialog* box) {
        box->selectFile(folder.filePath(QStringLiteral("nuovo")));
        static_cast<QDialog*>(box)->accept();
    });
    EXPECT_EQ(QFileInfo(prompts.saveFile(request)).fileName(), QStringLiteral("nuovo.csv"));
    whenBoxOpens<QFileDialog>([](QFileDialog* box) { box->reject(); });
    EXPECT_TRUE(prompts.saveFile(request).isEmpty());
}

// Dialogs that share a folder key start where the last of them was answered, in this run and, through
// the settings, in the next; a folder since removed gives the request's own folder back.
TEST_F(QtOpenFileBox, DialogsWithAKeyStartWhereTheLastWasAnswered) {
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QDir(elsewhere.path()).mkpath(QStringLiteral("storico")));
    const QString historyFolder = elsewhere.filePath(QStringLiteral("storico"));
    QFile history(QDir(historyFolder).filePath(QStringLiteral("BA.txt")));
    ASSERT_TRUE(history.open(QIODevice::WriteOnly));
    history.close();
    QSettings settings(elsewhere.filePath(QStringLiteral("veltrano.ini")), QSettings::IniFormat);
    request.folderKey = QStringLiteral("storico");
    request.filter = QStringLiteral("Storico delle estrazioni (*.txt *.zip)");
    request.fileName.clear();

    // Where each dialog opens, recorded as it opens; then it picks the history file or is cancelled.
    QStringList opened;
    auto answer = [&opened, &history](bool pick) {
        whenBoxOpens<QFileDialog>([&opened, &history, pick](QFileDialog* box) {
            opened << QDir(box->directory()).canonicalPath();
            if (!pick)
                return box->reject();
            box->selectFile(history.fileName());
            static_cast<QDialog*>(box)->accept();
        });
    };
    {
        QtPrompts prompts;
        prompts.setSettings(&settings);
        answer(false);
        EXPECT_TRUE(prompts.openFiles(request).isEmpty());
        answer(true);
        EXPECT_EQ(prompts.openFiles(request).size(), 1);
        answer(false);
        prompts.openFiles(request);
    }
    {
        QtPrompts nextRun;
        nextRun.setSettings(&settings);
        answer(false);
        nextRun.openFile(request);
    }
    ASSERT_TRUE(QDir(historyFolder).removeRecursively());
    {
        QtPrompts afterRemoval;
        afterRemoval.setSettings(&settings);
        answer(false);
        afterRemoval.openFiles(request);
    }
    const QString first = QDir(folder.path()).canonicalPath();
    EXPECT_EQ(opened, (QStringList{first, first, QDir(elsewhere.path()).canonicalPath() + "/storico",
                                   QDir(elsewhere.path()).canonicalPath() + "/storico", first}));
}

TEST(QtPrintBox, AcceptedOrCancelledAsTheUserChose) {
    QtPrompts prompts;
    QPrinter printer;
    whenBoxOpens<QPrintDialog>([](QPrintDialog* box) { box->reject(); });
    EXPECT_FALSE(prompts.choosePrinter(printer));
    whenBoxOpens<QPrintDialog>([](QPrintDialog* box) { box->accept(); });
    EXPECT_TRUE(prompts.choosePrinter(printer));
}

} // namespace

TEST(QtConfirmBox, ReportIsShownWholeAndOkOrAnnullaDecide) {
    QString report;
    for (int i = 1; i <= 60; ++i)
        report += QStringLiteral("  %1/03/2020 BA: 01 02 03 04 05 -> 01 02 03 04 06\n").arg(i % 28 + 1);
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Annulla");
        QtPrompts prompts;
        whenBoxOpens<QDialog>([ok, report](QDialog* box) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Aggiorna archivio"));
            auto* text = box->findChild<QPlainTextEdit*>(QStringLiteral("report"));
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(text->toPlainText(), report);
            EXPECT_TRUE(text->isReadOnly());
            auto* buttons = box->findChild<QDialogButtonBox*>();
            ASSERT_NE(buttons, nullptr);
            QPushButton* button = buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
            EXPECT_EQ(button->text(), ok ? QStringLiteral("OK") : QStringLiteral("Annulla"));
            QTest::mouseClick(button, Qt::LeftButton);
        });
        EXPECT_EQ(prompts.confirm({report, QStringLiteral("Aggiorna archivio")}), ok);
    }
}

// Enter presses the button the request names, with the report's text holding the focus as the box
// opens; F1 opens the request's help topic, and none when the request names none.
TEST(QtConfirmBox, EnterPressesTheNamedDefaultAndF1OpensTheNamedTopic) {
    struct Case {
        DefaultButton defaultButton;
        int helpContext;
    };
    for (const Case c : {Case{DefaultButton::Accept, -1}, Case{DefaultButton::Cancel, 195}}) {
        SCOPED_TRACE(c.helpContext);
        RecordingHelp help;
        QtPrompts prompts(&help);
        QString focused;
        whenBoxOpens<QDialog>([&focused](QDialog* box) {
            QWidget* focus = box->focusWidget();
            focused = focus ? focus->objectName() : QString();
            QTest::keyClick(focus ? focus : box, Qt::Key_F1);
            QTest::keyClick(focus ? focus : box, Qt::Key_Return);
        });
        const bool accepted =
            prompts.confirm({QStringLiteral("Correzioni: 1"), QStringLiteral("Aggiorna archivio"),
                             c.defaultButton, c.helpContext});
        EXPECT_EQ(focused, QStringLiteral("report"));
        EXPECT_EQ(accepted, c.defaultButton == DefaultButton::Accept);
        EXPECT_EQ(help.contexts, c.helpContext < 0 ? std::vector<int>{} : std::vector<int>{c.helpContext});
    }
}

// Counts the times a window is blocked by a modal box.
class BlockWatch : public QObject {
public:
    int blocked = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowBlocked)
            ++blocked;
        return QObject::eventFilter(watched, event);
    }
};

// Opens a window of its own on each topic, as the program's help does.
class WindowHelp : public HelpService {
public:
    void showHelp(int /*context*/) override {
        window = std::make_unique<QWidget>();
        window->installEventFilter(&watch);
        window->show();
    }
    std::unique_ptr<QWidget> window;
    BlockWatch watch;
};

// The help opened from the report takes input while the report waits; the window under the report does
// not.
TEST(QtConfirmBox, HelpOpenedFromTheReportIsNotBlockedByIt) {
    QWidget owner;
    BlockWatch ownerWatch;
    owner.installEventFilter(&ownerWatch);
    owner.show();
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    WindowHelp help;
    QtPrompts prompts(&help);
    whenBoxOpens<QDialog>([&help](QDialog* box) {
        QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_F1);
        QCoreApplication::processEvents();
        EXPECT_NE(help.window, nullptr);
        box->reject();
    });
    EXPECT_FALSE(prompts.confirm(
        {QStringLiteral("Correzioni: 1"), QStringLiteral("Aggiorna archivio"), DefaultButton::Cancel, 195}));
    ASSERT_NE(help.window, nullptr);
    EXPECT_EQ(help.watch.blocked, 0);
    EXPECT_GE(ownerWatch.blocked, 1);
}

TEST(QtQuestionBox, AsksWithSiAndNoAndTheNamedDefault) {
    for (const DefaultButton defaultButton : {DefaultButton::Accept, DefaultButton::Cancel}) {
        auto box = QtPrompts::createQuestionBox(QStringLiteral("Sostituirlo?"),
                                                QStringLiteral("Crea da storico"), defaultButton);
        EXPECT_EQ(box->text(), QStringLiteral("Sostituirlo?"));
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Crea da storico"));
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box->button(QMessageBox::Yes)->text(), QStringLiteral("Sì"));
        EXPECT_EQ(box->button(QMessageBox::No)->text(), QStringLiteral("No"));
        EXPECT_EQ(box->defaultButton(),
                  box->button(defaultButton == DefaultButton::Accept ? QMessageBox::Yes : QMessageBox::No));
    }
}

TEST(QtQuestionBox, EnterGivesTheDefaultEscapeNoAndSiYes) {
    struct Case {
        const char* name;
        DefaultButton defaultButton;
        std::function<void(QMessageBox*)> answer;
        bool yes;
    };
    const auto key = [](Qt::Key k) { return [k](QMessageBox* box) { QTest::keyClick(box, k); }; };
    const std::vector<Case> cases{
        {"Enter, No by default", DefaultButton::Cancel, key(Qt::Key_Return), false},
        {"Enter, Sì by default", DefaultButton::Accept, key(Qt::Key_Return), true},
        {"Escape", DefaultButton::Accept, key(Qt::Key_Escape), false},
        {"Sì clicked", DefaultButton::Cancel,
         [](QMessageBox* box) { QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QtPrompts prompts;
        whenBoxOpens<QMessageBox>(c.answer);
        EXPECT_EQ(
            prompts.ask(QStringLiteral("Sostituirlo?"), QStringLiteral("Crea da storico"), c.defaultButton),
            c.yes);
    }
}
