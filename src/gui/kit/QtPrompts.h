#pragma once

#include "gui/kit/Prompts.h"

#include <QHash>
#include <memory>

class HelpService;
class QDialog;
class QFileDialog;
class QInputDialog;
class QMessageBox;
class QSettings;
class QWidget;

// The program's boxes on Qt widgets. Each box is built by a function of its own, so that what the
// user will see can be checked without running the box. A box that names a help topic opens it on F1
// through `help`, when there is one.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(HelpService* help = nullptr) : m_help(help) {}

    // Where the folders of the dialogs with a folderKey are kept from one run to the next; without it
    // they are kept while the program runs.
    void setSettings(QSettings* settings) { m_settings = settings; }

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

    static QString programName() { return QStringLiteral("Veltrano"); }

    static std::unique_ptr<QMessageBox> createMessageBox(const QString& text, const QString& title,
                                                         MessageIcon icon, QWidget* parent = nullptr);
    static std::unique_ptr<QInputDialog> createInputDialog(const QString& prompt, const QString& title,
                                                           const QString& defaultText,
                                                           QWidget* parent = nullptr);
    static std::unique_ptr<QFileDialog> createOpenFileDialog(const FileDialogRequest& request,
                                                             QWidget* parent = nullptr);
    static std::unique_ptr<QDialog> createConfirmDialog(const ConfirmRequest& request, HelpService* help,
                                                        QWidget* parent = nullptr);
    static std::unique_ptr<QMessageBox> createQuestionBox(const QString& question, const QString& title,
                                                          DefaultButton defaultButton,
                                                          QWidget* parent = nullptr);
    static std::unique_ptr<QMessageBox> createChoiceBox(const QString& question, const QString& title,
                                                        const QStringList& choices, QWidget* parent = nullptr);
    static std::unique_ptr<QFileDialog> createSaveFileDialog(const FileDialogRequest& request,
                                                             QWidget* parent = nullptr);

private:
    // The request with its folder replaced by the one last answered for its key, when there is one.
    FileDialogRequest withKeptFolder(FileDialogRequest request) const;
    void keepFolder(const FileDialogRequest& request, const QString& folder);

    HelpService* m_help = nullptr;
    QSettings* m_settings = nullptr;
    QHash<QString, QString> m_folders;
};
