#pragma once

#include "gui/kit/Prompts.h"

#include <memory>

class QDialog;
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
    QStringList openFiles(const FileDialogRequest& request) override;
    QString chooseFolder(const FileDialogRequest& request) override;
    bool confirm(const QString& report, const QString& title) override;
    QString saveFile(const FileDialogRequest& request) override;
    bool choosePrinter(QPrinter& printer) override;

    static QString programName() { return QStringLiteral("Veltrano"); }

    static std::unique_ptr<QMessageBox> createMessageBox(const QString& text, const QString& title,
                                                         MessageIcon icon, QWidget* parent = nullptr);
    static std::unique_ptr<QInputDialog> createInputDialog(const QString& prompt, const QString& title,
                                                           const QString& defaultText,
                                                           QWidget* parent = nullptr);
    static std::unique_ptr<QFileDialog> createOpenFileDialog(const FileDialogRequest& request,
                                                             QWidget* parent = nullptr);
    static std::unique_ptr<QDialog> createConfirmDialog(const QString& report, const QString& title,
                                                        QWidget* parent = nullptr);
    static std::unique_ptr<QFileDialog> createSaveFileDialog(const FileDialogRequest& request,
                                                             QWidget* parent = nullptr);
};
