#pragma once

#include <QString>
#include <optional>
#include <variant>
#include <vector>

// A parameter's value: a number or a text, as the method's default is.
using ScriptValue = std::variant<double, QString>;

// A setting the method declares with parametro(nome, predefinito[, valori]).
struct ScriptParameter {
    QString nome;
    ScriptValue predefinito;
    std::vector<ScriptValue> valori; // what ESPLORA tries; empty when the method lists none
    int riga = 0;                    // the line of the declaration

    bool numeric() const { return std::holds_alternative<double>(predefinito); }
    // The value a player typed, in the type of the default: a number reads with '.' for decimals; nullopt
    // when a number is due and the text is none.
    std::optional<ScriptValue> valueFromText(const QString& text) const;

    bool operator==(const ScriptParameter&) const = default;
};

// A value as a player reads it: whole numbers without decimals, others with '.'.
QString scriptValueText(const ScriptValue& value);
