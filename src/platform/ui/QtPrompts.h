#pragma once

#include "Prompts.h"

#include <memory>

class QFileDialog;
class QInputDialog;
class QMessageBox;
class QWidget;

// The program's boxes on Qt widgets. Each box is built by a function of its own, so that what the
// user will see can be checked without running the box.
class QtPrompts : public Prompts {
public:
    void message(const QString& text, const QString& title, MessageIcon icon) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(const FileDialogRequest& request) override;
    QString saveFile(const FileDialogRequest& request) override;

    static QString programName() { return QStringLiteral("Veltrano"); }

    static std::unique_ptr<QMessageBox> createMessageBox(const QString& text, const QString& title,
                                                         MessageIcon icon, QWidget* parent = nullptr);
    static std::unique_ptr<QInputDialog> createInputDialog(const QString& prompt, const QString& title,
                                                           const QString& defaultText,
                                                           QWidget* parent = nullptr);
    static std::unique_ptr<QFileDialog> createOpenFileDialog(const FileDialogRequest& request,
                                                             QWidget* parent = nullptr);
    static std::unique_ptr<QFileDialog> createSaveFileDialog(const FileDialogRequest& request,
                                                             QWidget* parent = nullptr);
};
