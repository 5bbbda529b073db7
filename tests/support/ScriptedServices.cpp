#include "ScriptedServices.h"

void ScriptedPrompts::message(const QString& text, const QString& title, MessageIcon icon) {
    m_shown.push_back({ShownBox::Message, text, title, icon, {}});
}

QString ScriptedPrompts::input(const QString& prompt, const QString& title, const QString& /*defaultText*/) {
    m_shown.push_back({ShownBox::Input, prompt, title, MessageIcon::None, {}});
    if (m_inputs.empty())
        return {};
    QString answer = m_inputs.front();
    m_inputs.pop_front();
    return answer;
}

QString ScriptedPrompts::openFile(const FileDialogRequest& request) {
    m_shown.push_back({ShownBox::OpenFile, request.title, request.title, MessageIcon::None, request});
    if (m_files.empty())
        return {};
    QString answer = m_files.front();
    m_files.pop_front();
    return answer;
}

QStringList ScriptedPrompts::openFiles(const FileDialogRequest& request) {
    m_shown.push_back({ShownBox::OpenFiles, request.title, request.title, MessageIcon::None, request});
    if (m_fileLists.empty())
        return {};
    QStringList answer = m_fileLists.front();
    m_fileLists.pop_front();
    return answer;
}

QString ScriptedPrompts::chooseFolder(const FileDialogRequest& request) {
    m_shown.push_back({ShownBox::ChooseFolder, request.title, request.title, MessageIcon::None, request});
    if (m_folders.empty())
        return {};
    QString answer = m_folders.front();
    m_folders.pop_front();
    return answer;
}

bool ScriptedPrompts::confirm(const QString& report, const QString& title) {
    m_shown.push_back({ShownBox::Confirm, report, title, MessageIcon::Question, {}});
    if (m_confirms.empty())
        return false;
    const bool answer = m_confirms.front();
    m_confirms.pop_front();
    return answer;
}

std::vector<ShownBox> ScriptedPrompts::messages() const {
    std::vector<ShownBox> out;
    for (const auto& box : m_shown)
        if (box.kind == ShownBox::Message)
            out.push_back(box);
    return out;
}
