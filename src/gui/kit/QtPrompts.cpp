#include "gui/kit/QtPrompts.h"

#include "gui/kit/HelpKey.h"
#include "gui/kit/ItalianFileColumns.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QSettings>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

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

// How wide a box must be for the window manager to show its whole title: titles are drawn in bold,
// often larger than the program's type, beside an icon and three buttons.
int titleBarWidth(const QString& title) {
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(title) * 6 / 5 + metrics.height() * 8;
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
    // A box sizes itself by its text; an empty row as wide as the title keeps the title whole ("Cerc… ata").
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(titleBarWidth(box->windowTitle()), 0, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
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
    // The window manager cuts a title wider than the box ("Ricerc…/AAAA"); the dialog's layout sets the
    // dialog's own minimum from its contents, so the text field is widened.
    if (auto* edit = dialog->findChild<QLineEdit*>())
        edit->setMinimumWidth(std::max(edit->minimumSizeHint().width(), titleBarWidth(dialog->windowTitle())));
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
    dialog->setProxyModel(new ItalianFileColumns(dialog.get()));
    // Room for the whole date and size beside the names.
    dialog->resize(820, 480);
    if (auto* details = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))) {
        details->header()->setSectionResizeMode(ItalianFileColumns::Name, QHeaderView::Stretch);
        for (const int column : {ItalianFileColumns::Size, ItalianFileColumns::Kind, ItalianFileColumns::Modified})
            details->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    // A folder that does not exist (a desktop without a Documents folder) would leave the dialog in the
    // program's working folder; the home folder is a better start.
    if (!request.folder.isEmpty())
        dialog->setDirectory(QDir(request.folder).exists() ? request.folder : QDir::homePath());
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

FileDialogRequest QtPrompts::withKeptFolder(FileDialogRequest request) const {
    if (request.folderKey.isEmpty())
        return request;
    QString kept = m_folders.value(request.folderKey);
    if (kept.isEmpty() && m_settings)
        kept = m_settings->value(QStringLiteral("cartelle/") + request.folderKey).toString();
    if (!kept.isEmpty() && QDir(kept).exists())
        request.folder = kept;
    return request;
}

void QtPrompts::keepFolder(const FileDialogRequest& request, const QString& folder) {
    if (request.folderKey.isEmpty() || folder.isEmpty())
        return;
    m_folders.insert(request.folderKey, folder);
    if (m_settings)
        m_settings->setValue(QStringLiteral("cartelle/") + request.folderKey, folder);
}

QString QtPrompts::openFile(const FileDialogRequest& request) {
    const QString chosen = chosenFile(*createOpenFileDialog(withKeptFolder(request), ownerWindow()));
    if (!chosen.isEmpty())
        keepFolder(request, QFileInfo(chosen).absolutePath());
    return chosen;
}

QString QtPrompts::saveFile(const FileDialogRequest& request) {
    const QString chosen = chosenFile(*createSaveFileDialog(withKeptFolder(request), ownerWindow()));
    if (!chosen.isEmpty())
        keepFolder(request, QFileInfo(chosen).absolutePath());
    return chosen;
}

bool QtPrompts::choosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, ownerWindow());
    // Its sizes ("297,00 mm") in Italian too: the dialogs it opens take its locale.
    dialog.setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    return dialog.exec() == QDialog::Accepted;
}

std::unique_ptr<QDialog> QtPrompts::createConfirmDialog(const ConfirmRequest& request, HelpService* help,
                                                        QWidget* parent) {
    auto dialog = std::make_unique<QDialog>(parent);
    dialog->setWindowTitle(boxTitle(request.title));
    // A report can run to many lines (every correction is listed): it scrolls, in a fixed-width font so
    // that numbers line up.
    auto* text = new QPlainTextEdit(dialog.get());
    text->setObjectName(QStringLiteral("report"));
    text->setReadOnly(true);
    text->setPlainText(request.report);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The keys scroll the report; Enter still goes to the default button.
    text->setFocus();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog.get());
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    buttons
        ->button(request.defaultButton == DefaultButton::Accept ? QDialogButtonBox::Ok
                                                                : QDialogButtonBox::Cancel)
        ->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog.get(), &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog.get(), &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog.get());
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog->resize(640, 420);
    if (help && request.helpContext >= 0) {
        HelpKey::attach(dialog.get(), *help, request.helpContext);
        // Modal to its window only: the help window, opened from here, must take the keys and the mouse
        // while the report waits.
        dialog->setWindowModality(Qt::WindowModal);
    }
    return dialog;
}

std::unique_ptr<QMessageBox> QtPrompts::createQuestionBox(const QString& question, const QString& title,
                                                          DefaultButton defaultButton, QWidget* parent) {
    auto box = createMessageBox(question, title, MessageIcon::Question, parent);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->button(QMessageBox::Yes)->setText(QStringLiteral("Sì"));
    box->button(QMessageBox::No)->setText(QStringLiteral("No"));
    box->setDefaultButton(defaultButton == DefaultButton::Accept ? QMessageBox::Yes : QMessageBox::No);
    box->setEscapeButton(QMessageBox::No);
    return box;
}

bool QtPrompts::ask(const QString& question, const QString& title, DefaultButton defaultButton) {
    auto box = createQuestionBox(question, title, defaultButton, ownerWindow());
    return box->exec() == QMessageBox::Yes;
}

QStringList QtPrompts::openFiles(const FileDialogRequest& request) {
    auto dialog = createOpenFileDialog(withKeptFolder(request), ownerWindow());
    dialog->setFileMode(QFileDialog::ExistingFiles);
    if (dialog->exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog->selectedFiles();
    if (!chosen.isEmpty())
        keepFolder(request, QFileInfo(chosen.front()).absolutePath());
    return chosen;
}

QString QtPrompts::chooseFolder(const FileDialogRequest& request) {
    auto dialog = createOpenFileDialog(withKeptFolder(request), ownerWindow());
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    if (dialog->exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog->selectedFiles();
    if (chosen.isEmpty())
        return {};
    keepFolder(request, chosen.front());
    return chosen.front();
}

bool QtPrompts::confirm(const ConfirmRequest& request) {
    auto dialog = createConfirmDialog(request, m_help, ownerWindow());
    return dialog->exec() == QDialog::Accepted;
}

std::unique_ptr<QMessageBox> QtPrompts::createChoiceBox(const QString& question, const QString& title,
                                                        const QStringList& choices, QWidget* parent) {
    auto box = createMessageBox(question, title, MessageIcon::Question, parent);
    box->setStandardButtons(QMessageBox::Cancel);
    box->button(QMessageBox::Cancel)->setText(QStringLiteral("Annulla"));
    box->setEscapeButton(QMessageBox::Cancel);
    for (int i = 0; i < choices.size(); ++i) {
        QPushButton* button = box->addButton(choices[i], QMessageBox::AcceptRole);
        button->setObjectName(QStringLiteral("scelta%1").arg(i));
        if (i == 0)
            box->setDefaultButton(button);
    }
    return box;
}

int QtPrompts::choose(const QString& question, const QString& title, const QStringList& choices) {
    auto box = createChoiceBox(question, title, choices, ownerWindow());
    box->exec();
    const auto* pressed = box->clickedButton();
    for (int i = 0; i < choices.size(); ++i)
        if (pressed && pressed->objectName() == QStringLiteral("scelta%1").arg(i))
            return i;
    return -1;
}
