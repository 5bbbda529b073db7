#include "CollaudoWindowFixture.h"
#include "core/Collaudo.h"
#include "core/metodi/ScriptCollaudo.h"
#include "gui/collaudo/CaseListModel.h"
#include "gui/collaudo/CollaudoPresentation.h"
#include "gui/collaudo/ScriptMethodPanel.h"
#include "gui/collaudo/SweepRunner.h"
#include "gui/kit/GridCells.h"
#include "gui/kit/ItalianFormat.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {

// A player's method the tests write: every tenth draw it plays `numero` as an estratto on Bari for three
// colpi, with a note and a printed line. ESPLORA tries numero 7, 8 and 9.
const char* const TenthDraw = "local numero = parametro(\"numero\", 7, {7, 8, 9})\n"
                              "local etichetta = parametro(\"etichetta\", \"prova\")\n"
                              "function esamina(e)\n"
                              "  if e % 10 == 0 then\n"
                              "    print(\"esamina \" .. e)\n"
                              "    nota(etichetta .. \" \" .. e)\n"
                              "    gioca{numeri = numero, sorte = \"estratto\", ruote = \"BA\", colpi = 3}\n"
                              "  end\n"
                              "end\n";

class CollaudoWindowScript : public CollaudoWindowTest {
protected:
    // The player's folder with two methods (and a file that is none), the window listing it.
    void openWithMethods(int draws = 200) {
        ASSERT_TRUE(folder.isValid());
        write(QStringLiteral("decimo.lua"), TenthDraw);
        write(QStringLiteral("errore.lua"), "local soglia = parametro(\"soglia\", 3)\nfunction esamina(e)\n"
                                            "  if e == 50 then error(\"troppo presto\") end\nend\n");
        write(QStringLiteral("leggimi.txt"), "non è un metodo");
        build.randomDraws(draws, 20261207);
        open();
        window->setMethodsFolder(folder.path());
    }

    QString write(const QString& name, const char* source) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(source);
        return path;
    }

    void choose(const QString& caption) {
        QComboBox* combo = window->Parametri->ComboMetodo;
        const int index = combo->findText(caption);
        ASSERT_GE(index, 0) << caption.toStdString();
        combo->setCurrentIndex(index);
    }

    QLineEdit* field(const char* name) const {
        return control<QLineEdit>((QByteArray("TxtParametro_") + name).constData());
    }
    void type(const char* name, const QString& text) {
        QLineEdit* f = field(name);
        f->selectAll();
        QTest::keyClicks(f, text);
    }

    // A button pressed and the window's worker waited for, as the user waits for the bar.
    bool pressAndWait(const char* button) {
        QSignalSpy finished(&window->sweepRunner(), &SweepRunner::finished);
        press(button);
        return finished.wait(60000);
    }

    QString source() const {
        return QString::fromUtf8(TenthDraw);
    }
    ScriptRunOptions runWith(double numero) const {
        ScriptRunOptions run;
        run.parametri = {{QStringLiteral("numero"), numero}};
        run.print = [](const QString&) {};
        return run;
    }

    QString header(int col) const {
        return window->FgCasi->model()->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    QStringList headers() const {
        QStringList texts;
        for (int c = 0; c < window->FgCasi->model()->columnCount(); ++c)
            texts << header(c);
        return texts;
    }

    QTemporaryDir folder;
};

// The list of methods, the script's fields and the controls that do not apply to it; a number typed
// wrong is refused before anything runs.
TEST_F(CollaudoWindowScript, ListsTheFoldersScriptsShowsTheirParametersAndRefusesAWrongNumber) {
    openWithMethods();
    QComboBox* combo = window->Parametri->ComboMetodo;
    QStringList captions;
    for (int i = 0; i < combo->count(); ++i)
        captions << combo->itemText(i);
    EXPECT_EQ(captions, QStringList({"Ambo uguale", "Ritardatario", "decimo.lua", "errore.lua"}));
    EXPECT_FALSE(window->PnMetodo->isVisible());

    choose(QStringLiteral("decimo.lua"));
    EXPECT_TRUE(window->PnMetodo->isVisible());
    ASSERT_EQ(window->PnMetodo->parameters().size(), 2u);
    EXPECT_EQ(field("numero")->text(), "7");
    EXPECT_EQ(field("etichetta")->text(), "prova");
    for (const char* greyed : {"ComboSoglia", "FgR", "ComboC", "Ch_RuoteTipo_1", "SpPosta_0", "SpPosta_1"})
        EXPECT_FALSE(control<QWidget>(greyed)->isEnabled()) << greyed;
    for (const char* open : {"DtDal", "DtAl", "ChFuori", "CmdCollauda", "CmdEsplora"})
        EXPECT_TRUE(control<QWidget>(open)->isEnabled()) << open;

    const QString before = window->LblRiepilogo->text();
    type("numero", QStringLiteral("sette"));
    type("etichetta", QStringLiteral("12 anche un testo"));
    collauda();
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_TRUE(prompts.messages()[0].text.contains(QStringLiteral("«numero»")));
    EXPECT_TRUE(prompts.messages()[0].text.contains(QStringLiteral("«sette»")));
    EXPECT_FALSE(window->sweepRunning());
    EXPECT_TRUE(frame.values.empty()) << "nothing ran";
    EXPECT_EQ(window->LblRiepilogo->text(), before);

    // Back to a built-in method: its controls again, the script's fields hidden.
    choose(QStringLiteral("Ritardatario"));
    EXPECT_FALSE(window->PnMetodo->isVisible());
    EXPECT_TRUE(control<QWidget>("ComboSoglia")->isEnabled());
    EXPECT_TRUE(control<QWidget>("FgR")->isEnabled());
}

// COLLAUDA on a script runs on the worker and shows what the engine gives for the values typed: the
// summary, the case list with the giocata's bets and note, and the printed lines; the built-in methods
// keep their columns afterwards.
TEST_F(CollaudoWindowScript, BackTestShowsTheEnginesResultTheBetsTheNotesAndThePrintedLines) {
    openWithMethods();
    choose(QStringLiteral("decimo.lua"));
    type("numero", QStringLiteral("8"));
    type("etichetta", QStringLiteral("otto"));
    ASSERT_TRUE(pressAndWait("CmdCollauda"));
    EXPECT_TRUE(prompts.messages().empty());
    EXPECT_EQ(frame.maximum, 100);
    ASSERT_GE(frame.values.size(), 2u) << "the bar moves with the draws examined";
    EXPECT_GT(*std::max_element(frame.values.begin(), frame.values.end()), 0);
    EXPECT_EQ(frame.values.back(), 0);

    ScriptRunOptions run = runWith(8);
    run.parametri[QStringLiteral("etichetta")] = QStringLiteral("otto");
    const CollaudoResult engine = runScriptCollaudo(source(), archive(), run);
    ASSERT_EQ(engine.casi.size(), 20u);
    EXPECT_EQ(summaryValue(QStringLiteral("Casi")), "20");
    EXPECT_EQ(summaryValue(QStringLiteral("Positivi")), italian::integer(engine.riepilogo.positivi));
    EXPECT_EQ(summaryValue(QStringLiteral("Saldo")), italian::decimal(engine.riepilogo.saldo, 2));
    EXPECT_EQ(window->LblRiepilogo->text(), presentCollaudo(engine).sentence);

    EXPECT_EQ(headers(), QStringList({"", "N° Estr", "Data", "Puntate", "Nota", "Esito", "Colpo", "Probabilità"}));
    ASSERT_EQ(window->FgCasi->model()->rowCount(), 20);
    EXPECT_EQ(caseText(0, 1), "200");
    EXPECT_EQ(caseText(0, 3), "8 estratto BA posta 1");
    EXPECT_EQ(caseText(0, 4), "otto 200");
    EXPECT_EQ(caseText(19, 4), "otto 10");
    EXPECT_EQ(caseText(0, 5), "in gioco") << "opened after the last draw";

    const QStringList printed = window->TxtUscita->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(printed.size(), 20);
    EXPECT_EQ(printed.front(), "esamina 10");
    EXPECT_EQ(printed.back(), "esamina 200");
    EXPECT_TRUE(window->TxtUscita->isReadOnly());
    EXPECT_EQ(window->Schede->tabText(window->Schede->indexOf(window->TxtUscita)), "Uscita del metodo");

    choose(QStringLiteral("Ambo uguale"));
    collauda();
    EXPECT_EQ(header(3), "R1");
    EXPECT_EQ(header(12), "Probabilità");
    EXPECT_EQ(window->FgCasi->model()->columnCount(), 13);
}

// A script that fails shows its message with its line, and nothing of the run as a result; the same for
// a script that does not compile, chosen or run.
TEST_F(CollaudoWindowScript, ScriptErrorIsShownWithItsLineAndLeavesNoResult) {
    openWithMethods();
    choose(QStringLiteral("errore.lua"));
    EXPECT_TRUE(prompts.messages().empty()) << "its top level runs";
    const QString before = window->LblRiepilogo->text();
    const int summaryRows = grid("FgRiepilogo").rows();
    ASSERT_TRUE(pressAndWait("CmdCollauda"));
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_TRUE(prompts.messages()[0].text.contains(QStringLiteral("riga 3"))) << prompts.messages()[0].text.toStdString();
    EXPECT_TRUE(prompts.messages()[0].text.contains(QStringLiteral("troppo presto")));
    EXPECT_EQ(window->LblRiepilogo->text(), before);
    EXPECT_EQ(window->FgCasi->model()->rowCount(), 0);
    EXPECT_EQ(grid("FgRiepilogo").rows(), summaryRows);

    prompts.clear();
    write(QStringLiteral("rotto.lua"), "local x = \nfunction esamina(e) end\n");
    window->setMethodsFolder(folder.path());
    choose(QStringLiteral("rotto.lua"));
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_TRUE(prompts.messages()[0].text.contains(QStringLiteral("riga 2")));
    EXPECT_TRUE(window->PnMetodo->parameters().empty());
    collauda();
    EXPECT_EQ(prompts.messages().size(), 2u);
    EXPECT_FALSE(window->sweepRunning());
    EXPECT_EQ(window->FgCasi->model()->rowCount(), 0);
}

// ESPLORA on a script shows the engine's sweep with a column per listed parameter; a double-click puts
// the row's value into the field and shows that combination's back-test.
TEST_F(CollaudoWindowScript, SweepRowsShowTheParametersAndADoubleClickRunsThatCombination) {
    openWithMethods(300);
    choose(QStringLiteral("decimo.lua"));
    ASSERT_TRUE(pressAndWait("CmdEsplora"));
    EXPECT_TRUE(prompts.messages().empty());
    EXPECT_EQ(frame.values.back(), 0);

    ScriptSweepSettings settings;
    settings.run = runWith(7);
    settings.primi = 100;
    const SweepResult engine = runScriptSweep(source(), archive(), settings);
    const GridModel& table = grid("FgEsplora");
    ASSERT_EQ(table.rows() - 1, 3);
    EXPECT_EQ(table.text(0, 0), "numero");
    EXPECT_EQ(table.text(0, 2), "Positivi");
    for (int r = 0; r < 3; ++r) {
        const SweepRow& row = engine.rows[static_cast<std::size_t>(r)];
        EXPECT_EQ(table.text(r + 1, 0), row.parametri.at(0).second);
        EXPECT_EQ(table.text(r + 1, 2), italian::integer(row.figures.positivi));
    }

    const SweepRow& last = engine.rows[2];
    doubleClickCell("FgEsplora", 3, 0);
    ASSERT_TRUE(QSignalSpy(&window->sweepRunner(), &SweepRunner::finished).wait(60000));
    EXPECT_EQ(field("numero")->text(), last.parametri.at(0).second);
    EXPECT_EQ(summaryValue(QStringLiteral("Casi completi")), italian::integer(last.figures.casiCompleti));
    EXPECT_EQ(summaryValue(QStringLiteral("Positivi completi")), italian::integer(last.figures.positivi));
    EXPECT_EQ(window->Schede->currentIndex(), 0);
}

// The editor's PROVA: a script outside the folder is listed, chosen and back-tested.
TEST_F(CollaudoWindowScript, ShowScriptListsAScriptOutsideTheFolderAndRunsIt) {
    openWithMethods();
    QTemporaryDir elsewhere;
    const QString path = elsewhere.filePath(QStringLiteral("altrove.lua"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(TenthDraw);
    file.close();
    QSignalSpy finished(&window->sweepRunner(), &SweepRunner::finished);
    window->showScript(path);
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_EQ(window->Parametri->ComboMetodo->currentText(), "altrove.lua");
    EXPECT_EQ(window->Parametri->scriptPath(), QFileInfo(path).absoluteFilePath());
    EXPECT_TRUE(window->PnMetodo->isVisible());
    EXPECT_EQ(window->FgCasi->model()->rowCount(), 20);
    EXPECT_EQ(caseText(0, 3), "7 estratto BA posta 1");
    EXPECT_EQ(window->Parametri->ComboMetodo->count(), 5);
    EXPECT_FALSE(control<QWidget>("ComboSoglia")->isEnabled());
}

// The chosen method is kept by its file and chosen again, with its fields, in the next window; a file
// gone since leaves the built-in method.
TEST_F(CollaudoWindowScript, ChosenScriptIsKeptByItsFile) {
    openWithMethods();
    choose(QStringLiteral("decimo.lua"));
    const QVariantMap kept = window->keptSettings();
    EXPECT_EQ(kept.value(QStringLiteral("script")).toString(), QDir(folder.path()).absoluteFilePath("decimo.lua"));

    CollaudoFrm again(archive(), palette, prompts, help, frame);
    again.setMethodsFolder(folder.path());
    again.restoreSettings(kept);
    EXPECT_EQ(again.Parametri->ComboMetodo->currentText(), "decimo.lua");
    EXPECT_EQ(again.PnMetodo->parameters().size(), 2u);
    EXPECT_FALSE(again.Parametri->ComboSoglia->isEnabled());

    ASSERT_TRUE(QFile::remove(folder.filePath(QStringLiteral("decimo.lua"))));
    CollaudoFrm without(archive(), palette, prompts, help, frame);
    without.setMethodsFolder(folder.path());
    without.restoreSettings(kept);
    EXPECT_EQ(without.Parametri->metodo(), MethodSettings::Metodo::AmboUguale);
    EXPECT_TRUE(prompts.messages().empty());
}

// ANNULLA stops a script's back-test: no result, no message, the bar empty.
TEST_F(CollaudoWindowScript, CancelledBackTestShowsNothing) {
    ASSERT_TRUE(folder.isValid());
    write(QStringLiteral("lento.lua"), "function esamina(e)\n  local s = 0\n"
                                       "  for i = 1, 20000 do s = s + i end\n"
                                       "  gioca{numeri = 1, sorte = \"estratto\", ruote = \"BA\", colpi = 1}\nend\n");
    build.randomDraws(3000, 7);
    open();
    window->setMethodsFolder(folder.path());
    choose(QStringLiteral("lento.lua"));
    QSignalSpy finished(&window->sweepRunner(), &SweepRunner::finished);
    press("CmdCollauda");
    EXPECT_TRUE(window->CmdAnnulla->isEnabled());
    EXPECT_FALSE(window->CmdCollauda->isEnabled());
    press("CmdAnnulla");
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_TRUE(prompts.messages().empty());
    EXPECT_EQ(window->FgCasi->model()->rowCount(), 0);
    EXPECT_EQ(frame.values.back(), 0);
    EXPECT_TRUE(window->CmdCollauda->isEnabled());
}

// A p too small for the summary's short form ("< 0,0001") shows its exact figure in the tip and copies it
// to a spreadsheet as a number: a method that plays the 8 on Bari, where the 8 comes out every draw.
TEST_F(CollaudoWindowScript, TinyPOfTheSummaryCopiesAsItsExactFigure) {
    ASSERT_TRUE(folder.isValid());
    write(QStringLiteral("decimo.lua"), TenthDraw);
    for (std::int16_t d = 0; d < 200; ++d)
        build.draw({{0, ArchiveBuilder::Numbers{8, static_cast<std::int16_t>(20 + d % 50), 71, 72, 73}}});
    open();
    window->setMethodsFolder(folder.path());
    choose(QStringLiteral("decimo.lua"));
    type("numero", QStringLiteral("8"));
    ASSERT_TRUE(pressAndWait("CmdCollauda"));
    const CollaudoResult engine = runScriptCollaudo(source(), archive(), runWith(8));
    ASSERT_LT(engine.riepilogo.p, 1e-4);

    const GridModel& summary = grid("FgRiepilogo");
    const int row = static_cast<int>(column(summary, 0).indexOf(QStringLiteral("p"))) + 1; // past the header
    ASSERT_GT(row, 0);
    EXPECT_EQ(summary.text(row, 1), QStringLiteral("< 0,0001"));
    EXPECT_EQ(summary.toolTip(row, 1), italian::pExact(engine.riepilogo.p));
    const QString copied = cellsAsCsv(summary, GridCells::fromCells(summary, {{row, 1}})).trimmed();
    EXPECT_EQ(copied, italian::spreadsheetNumber(engine.riepilogo.p));
    EXPECT_FALSE(copied.contains(QLatin1Char('<'))) << copied.toStdString();
}

} // namespace
