#include "ScriptedServices.h"

#include <QPrinter>

namespace {

// The next scripted answer, or the cancelled one when the script has run out.
template <typename T> T nextAnswer(std::deque<T>& answers, T cancelled = T()) {
    if (answers.empty())
        return cancelled;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

void ScriptedPrompts::message(const QString& text, const QString& title, MessageIcon icon) {
    m_shown.push_back({ShownBox::Message, text, title, icon, {}});
}

QString ScriptedPrompts::input(const QString& prompt, const QString& title, const QString& /*defaultText*/) {
    m_shown.push_back({ShownBox::Input, prompt, title, MessageIcon::None, {}});
    return nextAnswer(m_inputs);
}

QString ScriptedPrompts::openFile(const FileDialogRequest& request) {
    return fileDialog(ShownBox::OpenFile, request);
}

QString ScriptedPrompts::saveFile(const FileDialogRequest& request) {
    return fileDialog(ShownBox::SaveFile, request);
}

QString ScriptedPrompts::fileDialog(ShownBox::Kind kind, const FileDialogRequest& request) {
    m_shown.push_back({kind, request.title, request.title, MessageIcon::None, request});
    return nextAnswer(m_files);
}

QStringList ScriptedPrompts::openFiles(const FileDialogRequest& request) {
    m_shown.push_back({ShownBox::OpenFiles, request.title, request.title, MessageIcon::None, request});
    return nextAnswer(m_fileLists);
}

QString ScriptedPrompts::chooseFolder(const FileDialogRequest& request) {
    m_shown.push_back({ShownBox::ChooseFolder, request.title, request.title, MessageIcon::None, request});
    return nextAnswer(m_folders);
}

bool ScriptedPrompts::confirm(const ConfirmRequest& request) {
    m_shown.push_back({ShownBox::Confirm,
                       request.report,
                       request.title,
                       MessageIcon::Question,
                       {},
                       request.defaultButton,
                       request.helpContext});
    return nextAnswer(m_confirms, false);
}

bool ScriptedPrompts::ask(const QString& question, const QString& title, DefaultButton defaultButton) {
    m_shown.push_back({ShownBox::Ask, question, title, MessageIcon::Question, {}, defaultButton});
    return nextAnswer(m_asks, false);
}

bool ScriptedPrompts::choosePrinter(QPrinter& printer) {
    m_shown.push_back({ShownBox::Printer, {}, {}, MessageIcon::None, {}});
    if (m_printers.empty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_printers.front());
    m_printers.pop_front();
    return true;
}

int ScriptedPrompts::choose(const QString& question, const QString& title, const QStringList& choices) {
    ShownBox box{ShownBox::Choice, question, title, MessageIcon::Question, {}};
    box.choices = choices;
    m_shown.push_back(box);
    if (m_choices.empty())
        return -1;
    const int index = m_choices.front();
    m_choices.pop_front();
    return index;
}

std::vector<ShownBox> ScriptedPrompts::messages() const {
    std::vector<ShownBox> out;
    for (const auto& box : m_shown)
        if (box.kind == ShownBox::Message)
            out.push_back(box);
    return out;
}
