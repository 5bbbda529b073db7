#pragma once

#include "gui/kit/HelpService.h"
#include "gui/kit/ProgramEnd.h"
#include "gui/kit/Prompts.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

// What a window showed in one box.
struct ShownBox {
    enum Kind {
        Message,
        Input,
        OpenFile,
        OpenFiles,
        ChooseFolder,
        Confirm,
        Ask,
        SaveFile,
        Printer,
        Choice
    } kind = Message;
    QString text; // message text, input prompt, report to confirm, question, or file dialog title
    QString title;
    MessageIcon icon = MessageIcon::None;
    FileDialogRequest file;                              // for OpenFile and SaveFile
    DefaultButton defaultButton = DefaultButton::Accept; // for Confirm and Ask
    int helpContext = -1;                                // for Confirm
    QStringList choices;                                 // for Choice
};

// Answers each box from a script and records what was shown. An input box or file dialog with no
// scripted answer left is answered as cancelled (empty text); a report to confirm, with Annulla; a
// question, with No.
class ScriptedPrompts : public Prompts {
public:
    void message(const QString& text, const QString& title, MessageIcon icon) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(const FileDialogRequest& request) override;
    QStringList openFiles(const FileDialogRequest& request) override;
    QString chooseFolder(const FileDialogRequest& request) override;
    bool confirm(const ConfirmRequest& request) override;
    bool ask(const QString& question, const QString& title, DefaultButton defaultButton) override;
    QString saveFile(const FileDialogRequest& request) override;
    bool choosePrinter(QPrinter& printer) override;
    int choose(const QString& question, const QString& title, const QStringList& choices) override;

    void answerInput(const QString& text) { m_inputs.push_back(text); }
    // Answers the open and the save dialogs alike, in the order they come.
    void answerFile(const QString& path) { m_files.push_back(path); }
    void answerFiles(const QStringList& paths) { m_fileLists.push_back(paths); }
    void answerFolder(const QString& path) { m_folders.push_back(path); }
    void answerConfirm(bool ok) { m_confirms.push_back(ok); }
    void answerAsk(bool yes) { m_asks.push_back(yes); }
    // The next print dialog is accepted with the printer writing a PDF file at the path; without an
    // answer it is cancelled.
    void answerPrinter(const QString& pdfPath) { m_printers.push_back(pdfPath); }
    // The index of the choice the next choice box takes; without an answer it is cancelled (-1).
    void answerChoice(int index) { m_choices.push_back(index); }

    const std::vector<ShownBox>& shown() const { return m_shown; }
    std::vector<ShownBox> messages() const; // message boxes only
    void clear() { m_shown.clear(); }

private:
    QString fileDialog(ShownBox::Kind kind, const FileDialogRequest& request);

    std::deque<QString> m_inputs;
    std::deque<QString> m_files;
    std::deque<QStringList> m_fileLists;
    std::deque<QString> m_folders;
    std::deque<bool> m_confirms;
    std::deque<bool> m_asks;
    std::deque<QString> m_printers;
    std::deque<int> m_choices;
    std::vector<ShownBox> m_shown;
};

class ScriptedProgramEnd : public ProgramEnd {
public:
    void endProgram() override { ++m_count; }
    bool hasEnded() const override { return m_count > 0; }
    int count() const { return m_count; }

private:
    int m_count = 0;
};

class RecordingHelp : public HelpService {
public:
    void showHelp(int context) override { contexts.push_back(context); }
    std::vector<int> contexts;
};
