#include "AmboWindowFixture.h"
#include "PdfText.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>

namespace {

class AmboWindowPrint : public AmboWindowTest {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    // The PDF's text with every run of blanks made one, as the header lines are compared.
    static QString flat(const QString& text) { return text.simplified(); }

    QTemporaryDir folder;
};

TEST_F(AmboWindowPrint, PdfHoldsTheHeaderTheSummaryAndEveryShownCaseCellOnA4Landscape) {
    if (!pdf::toolsPresent())
        GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) is not installed";
    buildTwoCases();
    archive().setArchivePath(QStringLiteral("/dati/lotto/Dbarcomax.mdb"));
    open();
    setBox("Ch_RuoteTipo_3", true); // "Gemelle"
    elabora();
    setBox("Ch_4", false); // the verification that follows is the one the header names
    verifica();
    const QString path = folder.filePath("casi.pdf");
    prompts.answerFile(path);
    press("CmdEsportaPdf");

    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown().front().kind, ShownBox::SaveFile);
    EXPECT_EQ(prompts.shown().front().file.title, "Esporta PDF");
    EXPECT_EQ(prompts.shown().front().file.filter, "Documento PDF (*.pdf)");
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(pdf::pages(path), 1);
    const QSizeF size = pdf::pageSize(path);
    EXPECT_NEAR(size.width(), 841.9, 1.0);
    EXPECT_NEAR(size.height(), 595.3, 1.0);

    const QString text = pdf::text(path);
    const QString last = archive().drawDate(20);
    for (const QString& line :
         {QStringLiteral("Veltrano – ambo uguale su due ruote"),
          QStringLiteral("Archivio: /dati/lotto/Dbarcomax.mdb"),
          QStringLiteral("Ricerca: dall'estrazione 20 del %1 indietro, fino a 10 casi").arg(last),
          QStringLiteral("Ruote: BA CA FI GE MI NA PA RO TO VE NZ Posizioni: 1 2 3 4 5"),
          QStringLiteral("Tipo ruote: Adiacenti, Diametrali, Gemelle Colpi: 9 Esiti: Ambata, 3 ambi, Tutte"),
          QStringLiteral("N° casi"), QStringLiteral("Quaterne"), QStringLiteral("Pagina 1 di 1")})
        EXPECT_TRUE(flat(text).contains(line)) << line.toStdString() << "\n" << text.toStdString();
    const GridModel& cases = Fg1();
    for (int r = 0; r < cases.rows(); ++r)
        for (int c = 0; c < cases.cols(); ++c)
            if (!cases.isColHidden(c) && !cases.text(r, c).trimmed().isEmpty()) {
                EXPECT_TRUE(flat(text).contains(cases.text(r, c).simplified())) << r << "," << c;
            }
    // Most recent case first, as on screen.
    EXPECT_LT(text.indexOf("04/01/2020"), text.indexOf("02/01/2020"));
}

TEST_F(AmboWindowPrint, StampaGoesThroughThePrintDialogAndTheCaseGridsMenuOffersBoth) {
    buildTwoCases();
    open();
    elabora();
    const QString printed = folder.filePath("stampa.pdf");
    press("CmdStampa"); // cancelled: nothing printed
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown().front().kind, ShownBox::Printer);
    prompts.answerPrinter(printed);
    press("CmdStampa");
    EXPECT_EQ(prompts.shown().size(), 2u);
    EXPECT_TRUE(QFile::exists(printed));
    if (pdf::toolsPresent()) {
        EXPECT_TRUE(pdf::text(printed).contains("ambo uguale su due ruote"));
    }

    auto menu = control<GridView>("Fg1")->createContextMenu(nullptr);
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << action->text();
    EXPECT_EQ(texts, (QStringList{"Copia", "Esporta CSV…", "", "Stampa…", "Esporta PDF…"}));
    const QString exported = folder.filePath("menu.pdf");
    prompts.answerFile(exported);
    menu->actions().back()->trigger();
    EXPECT_TRUE(QFile::exists(exported));
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(AmboWindowPrint, NothingToPrintBeforeTheFirstSearchAndUnwritableFilesAreSaid) {
    buildTwoCases();
    open();
    press("CmdStampa");
    press("CmdEsportaPdf");
    ASSERT_EQ(prompts.shown().size(), 2u); // no dialog opened
    for (const ShownBox& box : prompts.shown()) {
        EXPECT_EQ(box.kind, ShownBox::Message);
        EXPECT_EQ(box.text, "Nessun caso da stampare: premere prima ELABORA");
        EXPECT_EQ(box.icon, MessageIcon::Exclamation);
    }
    prompts.clear();
    elabora();
    const QString nowhere = folder.filePath("manca/casi.pdf");
    prompts.answerFile(nowhere);
    press("CmdEsportaPdf");
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages().front().text,
              "Impossibile scrivere il file " + QDir::toNativeSeparators(nowhere));
    EXPECT_EQ(prompts.messages().front().icon, MessageIcon::Critical);
    prompts.answerPrinter(nowhere);
    press("CmdStampa");
    ASSERT_EQ(prompts.messages().size(), 2u);
    EXPECT_EQ(prompts.messages().back().text, "Stampa non riuscita");
    EXPECT_EQ(prompts.messages().back().icon, MessageIcon::Critical);
}

} // namespace
