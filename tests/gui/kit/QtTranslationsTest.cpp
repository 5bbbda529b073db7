#include "gui/kit/QtTranslations.h"

#include <QCoreApplication>
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

} // namespace
