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
    return fileDialog(ShownBox::OpenFile, request);
}

QString ScriptedPrompts::saveFile(const FileDialogRequest& request) {
    return fileDialog(ShownBox::SaveFile, request);
}

QString ScriptedPrompts::fileDialog(ShownBox::Kind kind, const FileDialogRequest& request) {
    m_shown.push_back({kind, request.title, request.title, MessageIcon::None, request});
    if (m_files.empty())
        return {};
    QString answer = m_files.front();
    m_files.pop_front();
    return answer;
}

std::vector<ShownBox> ScriptedPrompts::messages() const {
    std::vector<ShownBox> out;
    for (const auto& box : m_shown)
        if (box.kind == ShownBox::Message)
            out.push_back(box);
    return out;
}
