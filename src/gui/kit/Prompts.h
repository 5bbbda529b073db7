#pragma once

#include <QString>
#include <QStringList>

class QPrinter;

enum class MessageIcon { None, Information, Exclamation, Critical, Question };

struct FileDialogRequest {
    QString title;
    QString folder;
    QString fileName;      // initial file name, e.g. "*.mdb"
    QString filter;        // e.g. "File di archivio (*.Mdb)"
    QString defaultSuffix; // e.g. "Mdb"
    // Dialogs that share a key start in the folder the last of them was answered in, while it exists;
    // `folder` is then only the first start. Empty: always `folder`.
    QString folderKey;
};

// The button that Enter presses in a box that asks before something is done: OK (or Sì), or Annulla
// (or No) when going on could cost the user something.
enum class DefaultButton { Accept, Cancel };

// A report, possibly long, shown whole before something is done.
struct ConfirmRequest {
    QString report;
    QString title;
    DefaultButton defaultButton = DefaultButton::Accept;
    int helpContext = -1; // the help topic F1 opens in the box; -1 for none
};

// The program's modal boxes: message box (OK only), input box, open-file, save-file and folder dialogs,
// the print dialog, a report to confirm or cancel, a question answered Sì or No and one answered by a
// choice among a few.
// Windows receive one from outside so that tests can answer the boxes and see what was shown.
class Prompts {
public:
    virtual ~Prompts() = default;
    // An empty title means the box has no title of its own (the program's name is shown).
    virtual void message(const QString& text, const QString& title, MessageIcon icon) = 0;
    // Returns the typed text; a cancelled box gives an empty text.
    virtual QString input(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // Returns the chosen path; an empty text when the user cancelled.
    virtual QString openFile(const FileDialogRequest& request) = 0;
    // The boxes below came later: a Prompts that does not show them answers as if cancelled.
    // One or more existing files; an empty list when the user cancelled.
    virtual QStringList openFiles(const FileDialogRequest& /*request*/) { return {}; }
    // An existing folder; an empty text when the user cancelled.
    virtual QString chooseFolder(const FileDialogRequest& /*request*/) { return {}; }
    // True for OK, false for Annulla.
    virtual bool confirm(const ConfirmRequest& /*request*/) { return false; }
    // True for Sì, false for No (or the box closed).
    virtual bool ask(const QString& /*question*/, const QString& /*title*/, DefaultButton /*defaultButton*/) {
        return false;
    }
    // The path to write (the dialog has asked before replacing a file); empty when cancelled.
    virtual QString saveFile(const FileDialogRequest& /*request*/) { return {}; }
    // Lets the user choose the printer and its settings; false when cancelled.
    virtual bool choosePrinter(QPrinter& /*printer*/) { return false; }
    // A question answered by one of several buttons (the first is the default) or Annulla: the index of
    // the button pressed, -1 for Annulla (or the box closed).
    virtual int choose(const QString& /*question*/, const QString& /*title*/, const QStringList& /*choices*/) {
        return -1;
    }
};
