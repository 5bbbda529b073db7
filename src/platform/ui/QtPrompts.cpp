#include "QtPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

namespace {

QString boxTitle(const QString& title) {
    return title.isEmpty() ? QtPrompts::programName() : title;
}

QMessageBox::Icon toQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Boxes open over the window the user is working in.
QWidget* ownerWindow() {
    return QApplication::activeWindow();
}

} // namespace

std::unique_ptr<QMessageBox> QtPrompts::createMessageBox(const QString& text, const QString& title,
                                                         MessageIcon icon, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setIcon(toQtIcon(icon));
    box->setWindowTitle(boxTitle(title));
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    box->setStandardButtons(QMessageBox::Ok);
    box->setDefaultButton(QMessageBox::Ok);
    box->setEscapeButton(QMessageBox::Ok);
    return box;
}

std::unique_ptr<QInputDialog> QtPrompts::createInputDialog(const QString& prompt, const QString& title,
                                                           const QString& defaultText, QWidget* parent) {
    auto dialog = std::make_unique<QInputDialog>(parent);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setWindowTitle(boxTitle(title));
    dialog->setLabelText(prompt);
    dialog->setTextValue(defaultText);
    dialog->setOkButtonText(QStringLiteral("OK"));
    dialog->setCancelButtonText(QStringLiteral("Annulla"));
    // Prompts are plain text, even when they happen to contain a "<".
    if (auto* label = dialog->findChild<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    return dialog;
}

namespace {

// What the open and the save dialogs share: Qt's own dialog on every desktop, so that the filter
// behaves the same everywhere (extensions are matched without regard to case, so "*.Mdb" also shows
// "archivio.mdb").
std::unique_ptr<QFileDialog> createFileDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode,
                                              QWidget* parent) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    if (!request.title.isEmpty())
        dialog->setWindowTitle(request.title);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    if (!request.folder.isEmpty())
        dialog->setDirectory(request.folder);
    if (!request.filter.isEmpty())
        dialog->setNameFilter(request.filter);
    dialog->setDefaultSuffix(request.defaultSuffix);
    // A name with wildcards is a pattern, not a file to preselect: the filter already applies it.
    if (!request.fileName.isEmpty() && !request.fileName.contains(QLatin1Char('*')) &&
        !request.fileName.contains(QLatin1Char('?')))
        dialog->selectFile(request.fileName);
    return dialog;
}

QString chosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.front();
}

} // namespace

std::unique_ptr<QFileDialog> QtPrompts::createOpenFileDialog(const FileDialogRequest& request,
                                                             QWidget* parent) {
    return createFileDialog(request, QFileDialog::AcceptOpen, parent);
}

std::unique_ptr<QFileDialog> QtPrompts::createSaveFileDialog(const FileDialogRequest& request,
                                                             QWidget* parent) {
    return createFileDialog(request, QFileDialog::AcceptSave, parent);
}

void QtPrompts::message(const QString& text, const QString& title, MessageIcon icon) {
    auto box = createMessageBox(text, title, icon, ownerWindow());
    box->exec();
}

QString QtPrompts::input(const QString& prompt, const QString& title, const QString& defaultText) {
    auto dialog = createInputDialog(prompt, title, defaultText, ownerWindow());
    if (dialog->exec() != QDialog::Accepted)
        return {};
    return dialog->textValue();
}

QString QtPrompts::openFile(const FileDialogRequest& request) {
    return chosenFile(*createOpenFileDialog(request, ownerWindow()));
}

QString QtPrompts::saveFile(const FileDialogRequest& request) {
    return chosenFile(*createSaveFileDialog(request, ownerWindow()));
}
