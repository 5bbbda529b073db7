#pragma once

#include "gui/kit/Prompts.h"

class DrawArchive;
class INIZIO;

// A check of an unpacked or installed program without a display, run by scripts/package.sh with
// VELTRANO_PROVA_AVVIO=1 and QT_QPA_PLATFORM=offscreen: the program starts as usual, PROCEDI is
// pressed on the start window and, once the frame is shown, the program prints what it loaded and ends
// with 0. The first box it would show ends it with 1 and the box's text on stderr, since nobody is
// there to answer.
class StartCheck : public Prompts {
public:
    static bool requested();

    void message(const QString& text, const QString& title, MessageIcon icon) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(const FileDialogRequest& request) override;
    QStringList openFiles(const FileDialogRequest& request) override;
    QString chooseFolder(const FileDialogRequest& request) override;
    bool confirm(const ConfirmRequest& request) override;
    bool ask(const QString& question, const QString& title, DefaultButton defaultButton) override;

    // Presses PROCEDI as soon as the event loop runs.
    void pressProceed(INIZIO& start);
    // The frame is shown: reports it and ends the event loop with 0.
    void frameShown(const DrawArchive& archive, const QString& dataFolder);

private:
    [[noreturn]] void fail(const QString& box, const QString& text);
};
