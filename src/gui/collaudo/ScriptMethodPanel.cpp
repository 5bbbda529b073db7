#include "gui/collaudo/ScriptMethodPanel.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

ScriptMethodPanel::ScriptMethodPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ScriptMethodPanel"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);
    auto* title = new QLabel(QStringLiteral("Parametri del metodo"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    v->addWidget(title);
    m_none = new QLabel(QStringLiteral("Il metodo non dichiara parametri."), this);
    m_none->setObjectName(QStringLiteral("LblNessunParametro"));
    m_none->setWordWrap(true);
    v->addWidget(m_none);
    m_form = new QFormLayout;
    m_form->setContentsMargins(0, 0, 0, 0);
    m_form->setVerticalSpacing(2);
    v->addLayout(m_form);
}

void ScriptMethodPanel::setParameters(const std::vector<ScriptParameter>& parameters) {
    std::map<QString, std::pair<bool, QString>> typed; // name: numeric, text
    for (std::size_t i = 0; i < m_parameters.size(); ++i)
        typed[m_parameters[i].nome] = {m_parameters[i].numeric(), m_fields[i]->text()};
    while (m_form->rowCount() > 0)
        m_form->removeRow(0);
    m_fields.clear();
    m_parameters = parameters;
    for (const ScriptParameter& p : m_parameters) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("TxtParametro_") + p.nome);
        const auto kept = typed.find(p.nome);
        field->setText(kept != typed.end() && kept->second.first == p.numeric() ? kept->second.second
                                                                                : scriptValueText(p.predefinito));
        QStringList listed;
        for (const ScriptValue& v : p.valori)
            listed << scriptValueText(v);
        field->setToolTip(QStringLiteral("%1 (predefinito %2)%3")
                              .arg(p.numeric() ? QStringLiteral("Un numero, con il punto per i decimali")
                                               : QStringLiteral("Un testo"),
                                   scriptValueText(p.predefinito),
                                   listed.isEmpty() ? QString()
                                                    : QStringLiteral("; ESPLORA prova ") + listed.join(QStringLiteral(", "))));
        m_form->addRow(p.nome, field);
        m_fields.push_back(field);
    }
    m_none->setVisible(m_parameters.empty());
}

std::optional<std::map<QString, ScriptValue>> ScriptMethodPanel::values(QString& refusal) const {
    std::map<QString, ScriptValue> values;
    for (std::size_t i = 0; i < m_parameters.size(); ++i) {
        const ScriptParameter& p = m_parameters[i];
        const std::optional<ScriptValue> value = p.valueFromText(m_fields[i]->text());
        if (!value) {
            refusal = QStringLiteral("Il parametro «%1» vuole un numero (con il punto per i decimali): «%2» non lo è.")
                          .arg(p.nome, m_fields[i]->text());
            return std::nullopt;
        }
        values.emplace(p.nome, *value);
    }
    return values;
}

void ScriptMethodPanel::setValues(const std::vector<std::pair<QString, QString>>& values) {
    for (const auto& [name, text] : values)
        if (QLineEdit* f = field(name))
            f->setText(text);
}

QLineEdit* ScriptMethodPanel::field(const QString& name) const {
    for (std::size_t i = 0; i < m_parameters.size(); ++i)
        if (m_parameters[i].nome == name)
            return m_fields[i];
    return nullptr;
}
