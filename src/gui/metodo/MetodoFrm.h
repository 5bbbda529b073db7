#pragma once

#include <QWidget>
#include <functional>
#include <optional>

class CodeEditor;
class FrameServices;
class HelpService;
class LuaHighlighter;
class Prompts;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;

// Where a script's trouble lies: its line (0 when none is to blame) and the message in Italian.
struct ScriptProblem {
    int line = 0;
    QString message;
};

// The window "Metodo del giocatore": writes and edits a method's script (Lua), with line numbers, Lua's
// colours and the line of an error marked. Nuovo, Apri…, Salva, Esempi (the shipped methods) and PROVA,
// which saves the script, checks it and shows its back-test in the Collaudo window. F1 opens the
// language's help.
class MetodoFrm : public QWidget {
    Q_OBJECT

public:
    static constexpr int HelpContext = 260;

    struct Folders {
        QString player;   // the player's "metodi" folder, where scripts are opened and saved
        QString examples; // the shipped examples, read-only
    };
    // Compiles the script and runs its top level: the trouble found, or none.
    using Check = std::function<std::optional<ScriptProblem>(const QString& source)>;

    MetodoFrm(Prompts& prompts, HelpService& help, FrameServices& frame, Folders folders, Check check,
              QWidget* parent = nullptr);
    ~MetodoFrm() override;

    QSize sizeHint() const override;

    // Opens a script file; false (the reason shown) when it cannot be read.
    bool openScript(const QString& path);
    QString scriptPath() const { return m_path; }
    bool modified() const;

    CodeEditor* TxtCodice = nullptr;
    QPushButton* CmdNuovo = nullptr;
    QPushButton* CmdApri = nullptr;
    QPushButton* CmdSalva = nullptr;
    QToolButton* CmdEsempi = nullptr;
    QPushButton* CmdProva = nullptr; // "PROVA"
    QLabel* LblFile = nullptr;
    QLabel* LblStato = nullptr;

public slots:
    void CmdNuovo_Click();
    void CmdApri_Click();
    bool CmdSalva_Click();
    void CmdProva_Click();
    void Esempio_Click(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool keepChanges();
    bool saveAs();
    bool writeTo(const QString& path);
    void showFile();
    QMenu* examplesMenu();

    Prompts& m_prompts;
    HelpService& m_help;
    FrameServices& m_frame;
    Folders m_folders;
    Check m_check;
    LuaHighlighter* m_highlighter = nullptr;
    QString m_path;
};
