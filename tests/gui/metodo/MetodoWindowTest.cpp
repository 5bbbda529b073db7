#include "ScriptedServices.h"
#include "WindowDriving.h"
#include "gui/kit/FrameServices.h"
#include "gui/metodo/CodeEditor.h"
#include "gui/metodo/LuaHighlighter.h"
#include "gui/metodo/MetodoFrm.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <memory>

namespace metodowindow {

class ScriptFrame : public FrameServices {
public:
    void setProgressMaximum(int) override {}
    void tryScript(const QString& path) override { tried.push_back(path); }
    std::vector<QString> tried;
};

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class MetodoWindow : public ::testing::Test {
protected:
    MetodoWindow() {
        QDir(dir.path()).mkdir(QStringLiteral("esempi"));
        QDir(dir.path()).mkdir(QStringLiteral("metodi"));
        writeFile(dir.filePath(QStringLiteral("esempi/calendario.lua")), "function esamina(e) end\n");
        window = std::make_unique<MetodoFrm>(
            prompts, help, frame, MetodoFrm::Folders{dir.filePath(QStringLiteral("metodi")), dir.filePath(QStringLiteral("esempi"))},
            [this](const QString& source) -> std::optional<ScriptProblem> {
                checked.push_back(source);
                return problem;
            });
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    RecordingHelp help;
    ScriptFrame frame;
    std::optional<ScriptProblem> problem;
    std::vector<QString> checked;
    std::unique_ptr<MetodoFrm> window;
};

// PROVA on a new method: saved where the player says, checked, and handed to the Collaudo window.
TEST_F(MetodoWindow, ProvaSavesChecksAndRunsTheMethod) {
    const QString path = dir.filePath(QStringLiteral("metodi/mio.lua"));
    prompts.answerFile(path);
    window->TxtCodice->setPlainText(QStringLiteral("function esamina(e) end\n"));
    clickButton(*window, "CmdProva");
    EXPECT_EQ(readFile(path), QByteArray("function esamina(e) end\n"));
    ASSERT_EQ(checked.size(), 1u);
    EXPECT_EQ(frame.tried, (std::vector<QString>{path}));
    EXPECT_FALSE(window->modified());
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("mio.lua")));

    // A faulty method: its line marked, the reason shown, nothing run; an edit takes the mark away.
    problem = ScriptProblem{2, QStringLiteral("Errore alla riga 2: 'end' atteso")};
    window->TxtCodice->setPlainText(QStringLiteral("function esamina(e)\n  if true then\nend\n"));
    clickButton(*window, "CmdProva");
    EXPECT_EQ(window->TxtCodice->errorLine(), 2);
    EXPECT_EQ(window->TxtCodice->textCursor().blockNumber(), 1);
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text, problem->message);
    EXPECT_EQ(frame.tried.size(), 1u);
    EXPECT_EQ(readFile(path), QByteArray("function esamina(e)\n  if true then\nend\n"));
    window->TxtCodice->insertPlainText(QStringLiteral(" "));
    EXPECT_EQ(window->TxtCodice->errorLine(), 0);
}

// PROVA on a new method whose save is cancelled runs nothing.
TEST_F(MetodoWindow, CancelledSaveRunsNothing) {
    clickButton(*window, "CmdProva");
    EXPECT_TRUE(checked.empty());
    EXPECT_TRUE(frame.tried.empty());
}

// An example opens as a new method: Salva asks for a name and never writes the shipped file.
TEST_F(MetodoWindow, ExampleOpensAsANewMethod) {
    window->Esempio_Click(dir.filePath(QStringLiteral("esempi/calendario.lua")));
    EXPECT_EQ(window->TxtCodice->toPlainText(), QStringLiteral("function esamina(e) end\n"));
    EXPECT_TRUE(window->scriptPath().isEmpty());
    window->TxtCodice->appendPlainText(QStringLiteral("-- mio"));
    const QString mine = dir.filePath(QStringLiteral("metodi/calendario.lua"));
    prompts.answerFile(mine);
    clickButton(*window, "CmdSalva");
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("esempi/calendario.lua"))), QByteArray("function esamina(e) end\n"));
    EXPECT_TRUE(readFile(mine).endsWith("-- mio"));
    ASSERT_FALSE(prompts.shown().empty());
    EXPECT_EQ(prompts.shown().back().file.folder, dir.filePath(QStringLiteral("metodi")));
}

// Unsaved changes: Nuovo asks first; No drops them, Sì saves them.
TEST_F(MetodoWindow, UnsavedChangesAreAskedFor) {
    const QString path = dir.filePath(QStringLiteral("metodi/a.lua"));
    writeFile(path, "-- a\n");
    ASSERT_TRUE(window->openScript(path));
    window->TxtCodice->appendPlainText(QStringLiteral("-- b"));
    prompts.answerAsk(true);
    clickButton(*window, "CmdNuovo");
    EXPECT_EQ(readFile(path), QByteArray("-- a\n\n-- b"));
    EXPECT_TRUE(window->scriptPath().isEmpty());
    window->TxtCodice->appendPlainText(QStringLiteral("-- c"));
    prompts.answerAsk(false);
    clickButton(*window, "CmdNuovo");
    EXPECT_FALSE(window->modified());
    EXPECT_FALSE(window->TxtCodice->toPlainText().contains(QStringLiteral("-- c")));
}

// Lua's colours: a comment runs to the end of its line, "--" inside a string is no comment, a long comment
// spans lines, the library's functions are coloured apart.
TEST(LuaHighlighter, CommentsStringsAndLibrary) {
    QTextDocument doc;
    LuaHighlighter highlighter(&doc);
    doc.setPlainText(QStringLiteral("local s = \"--x\" -- nota\n--[[ uno\ndue ]] gioca{}\nx = 1"));
    highlighter.rehighlight();
    const auto formatAt = [&](int block, int column) {
        const QTextBlock b = doc.findBlockByNumber(block);
        for (const QTextLayout::FormatRange& r : b.layout()->formats())
            if (column >= r.start && column < r.start + r.length)
                return r.format;
        return QTextCharFormat();
    };
    EXPECT_FALSE(formatAt(0, 11).fontItalic()); // the "--" inside the string
    EXPECT_TRUE(formatAt(0, 17).fontItalic());  // the comment after it
    EXPECT_TRUE(formatAt(1, 6).fontItalic());   // a long comment's first line
    EXPECT_TRUE(formatAt(2, 1).fontItalic());   // and its last
    EXPECT_FALSE(formatAt(2, 8).fontItalic());  // code after it
    EXPECT_EQ(formatAt(2, 8).fontWeight(), QFont::Bold);
    EXPECT_FALSE(formatAt(3, 0).fontItalic());
}

} // namespace metodowindow
