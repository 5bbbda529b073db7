#include "core/metodi/ScriptParameter.h"

#include <cmath>

std::optional<ScriptValue> ScriptParameter::valueFromText(const QString& text) const {
    if (!numeric())
        return ScriptValue(text);
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return ScriptValue(value);
}

QString scriptValueText(const ScriptValue& value) {
    if (const QString* text = std::get_if<QString>(&value))
        return *text;
    const double number = std::get<double>(value);
    if (std::nearbyint(number) == number && std::fabs(number) < 1e15)
        return QString::number(static_cast<long long>(number));
    return QString::number(number, 'g', 17);
}
