#pragma once

#include <QString>

enum class MessageIcon { None, Information, Exclamation, Critical, Question };

struct FileDialogRequest {
    QString title;
    QString folder;
    QString fileName;      // initial file name, e.g. "*.mdb"
    QString filter;        // e.g. "File di archivio (*.Mdb)"
    QString defaultSuffix; // e.g. "Mdb"
};

// The program's modal boxes: message box (OK only), input box, open-file and save-file dialogs.
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
    // Returns the path to write (the dialog has asked before replacing a file); empty when cancelled.
    virtual QString saveFile(const FileDialogRequest& request) = 0;
};
