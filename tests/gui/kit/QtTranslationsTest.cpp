#include "gui/kit/QtTranslations.h"

#include "gui/kit/QtPrompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>
#include <QTimer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

std::string buttonText(QDialogButtonBox::StandardButton which) {
    QDialogButtonBox box(which);
    return box.button(which)->text().toStdString();
}

// The captions Qt gives its own dialogs, Italian once the catalog is in and English again without it.
TEST(QtTranslations, QtsOwnButtonsAndFileDialogSpeakItalian) {
    QTranslator* translator = QtTranslations::installItalian();
    ASSERT_NE(translator, nullptr) << "Qt's Italian catalog (qt6-translations-l10n) is not installed";
    const std::unique_ptr<QTranslator> owned(translator);
    EXPECT_EQ(buttonText(QDialogButtonBox::Cancel), "Annulla");
    EXPECT_EQ(buttonText(QDialogButtonBox::Open), "Apri");
    EXPECT_EQ(buttonText(QDialogButtonBox::Yes), "&Sì");
    {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto* lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
        ASSERT_NE(lookIn, nullptr);
        EXPECT_EQ(lookIn->text().toStdString(), "Cerca in:");
    }

    QCoreApplication::removeTranslator(translator);
    EXPECT_EQ(buttonText(QDialogButtonBox::Cancel), "Cancel");
}

// Every text a dialog shows: labels, buttons and their tips, list entries, column headers and cells.
QStringList shownTexts(const QWidget& dialog) {
    QStringList texts{dialog.windowTitle()};
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        texts << button->text() << button->toolTip();
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>())
        texts << group->title();
    for (const QTabWidget* tabs : dialog.findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
    for (const QComboBox* combo : dialog.findChildren<QComboBox*>())
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
    for (const QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>()) {
        const QAbstractItemModel* model = view->model();
        if (!model)
            continue;
        for (int c = 0; c < model->columnCount(view->rootIndex()); ++c) {
            texts << model->headerData(c, Qt::Horizontal).toString();
            for (int r = 0; r < model->rowCount(view->rootIndex()); ++r)
                texts << model->index(r, c, view->rootIndex()).data().toString();
        }
    }
    return texts;
}

// The file dialogs, listing a folder with a subfolder and a file in detail: not one English word left,
// the kind of a folder included ("Folder") and the date column ("7 Dec 2026").
TEST(QtTranslations, EveryWordOfTheFileDialogsIsItalian) {
    QTranslator* translator = QtTranslations::installItalian();
    ASSERT_NE(translator, nullptr) << "Qt's Italian catalog (qt6-translations-l10n) is not installed";
    const std::unique_ptr<QTranslator> owned(translator);
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("storico")));
    QFile file(folder.filePath(QStringLiteral("BA.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("1939/01/07\tBA\t1\t2\t3\t4\t5\n");
    file.close();
    FileDialogRequest request;
    request.title = QStringLiteral("Storico delle estrazioni");
    request.folder = folder.path();
    request.filter = QStringLiteral("Storico delle estrazioni (*.txt *.zip)");
    const QRegularExpression english(QStringLiteral(
        "\\b(Folder|File Folder|Look in|File name|Files of type|Open|Cancel|Save|Choose|Name|Size|Type|Kind|Date|"
        "Modified|bytes|Back|Forward|Parent|Detail|List|New|Directory|Recent|Drive|Unknown|document|"
        "Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec)\\b"));
    for (const bool save : {false, true}) {
        SCOPED_TRACE(save ? "save" : "open");
        auto dialog = save ? QtPrompts::createSaveFileDialog(request) : QtPrompts::createOpenFileDialog(request);
        dialog->setViewMode(QFileDialog::Detail);
        auto* files = dialog->findChild<QFileSystemModel*>();
        ASSERT_NE(files, nullptr);
        QSignalSpy loaded(files, &QFileSystemModel::directoryLoaded);
        dialog->show();
        ASSERT_TRUE(loaded.count() > 0 || loaded.wait(3000));
        auto* details = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        ASSERT_NE(details, nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(details->model()->rowCount(details->rootIndex()), 2, 3000);
        const QStringList texts = shownTexts(*dialog);
        for (const QString& text : texts)
            EXPECT_FALSE(text.contains(english)) << text.toStdString();
        EXPECT_TRUE(texts.contains(QStringLiteral("Cartella")));
        const QRegularExpression italianDate(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d$"));
        EXPECT_TRUE(texts.indexOf(italianDate) >= 0) << texts.join(QStringLiteral(" | ")).toStdString();
    }
}

// The print dialog, its options included: Qt's catalog leaves "Pages" and double-sided printing in English.
TEST(QtTranslations, EveryWordOfThePrintDialogIsItalian) {
    QTranslator* translator = QtTranslations::installItalian();
    ASSERT_NE(translator, nullptr) << "Qt's Italian catalog (qt6-translations-l10n) is not installed";
    const std::unique_ptr<QTranslator> owned(translator);
    const QRegularExpression english(QStringLiteral(
        "\\b(Printer|Name|Location|Type|Output|Properties|Options|Print|Cancel|Copies|Collate|Reverse|Pages|"
        "Page|Double Sided|Off|binding|Color|Colour|Grayscale|Advanced|All)\\b"));
    QStringList texts;
    QTimer::singleShot(0, [&texts] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        texts = shownTexts(*dialog);
        dialog->reject();
    });
    QtPrompts prompts;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    EXPECT_FALSE(prompts.choosePrinter(printer));
    ASSERT_FALSE(texts.isEmpty());
    for (const QString& text : texts)
        EXPECT_FALSE(text.contains(english)) << text.toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Pagine")));
}

} // namespace
