#pragma once

#include "core/metodi/ScriptParameter.h"

#include <QString>
#include <QWidget>
#include <map>
#include <optional>
#include <utility>
#include <vector>

class QFormLayout;
class QLabel;
class QLineEdit;

// The settings of a player's method in the Collaudo window: one field per parameter the script declares,
// captioned with its name and prefilled with its default. The window reads the values typed (each in the
// type of its default) and writes a sweep row's values back.
class ScriptMethodPanel : public QWidget {
    Q_OBJECT

public:
    explicit ScriptMethodPanel(QWidget* parent = nullptr);

    // Shows the script's parameters. A field the player already filled for a parameter of the same name
    // and type keeps its text; the others show the default.
    void setParameters(const std::vector<ScriptParameter>& parameters);
    const std::vector<ScriptParameter>& parameters() const { return m_parameters; }

    // The values typed, by name; nullopt with the reason in `refusal` when a number is due and a field
    // holds none.
    std::optional<std::map<QString, ScriptValue>> values(QString& refusal) const;

    // Puts values (name, text) into the fields of those names; the others stay as they are.
    void setValues(const std::vector<std::pair<QString, QString>>& values);

    // The field of a parameter, or null.
    QLineEdit* field(const QString& name) const;

private:
    QFormLayout* m_form = nullptr;
    QLabel* m_none = nullptr;
    std::vector<ScriptParameter> m_parameters;
    std::vector<QLineEdit*> m_fields;
};
