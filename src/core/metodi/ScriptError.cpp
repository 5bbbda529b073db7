#include "core/metodi/ScriptError.h"

ScriptError::ScriptError(Kind kind, int line, const QString& message)
    : std::runtime_error(message.toStdString()), m_kind(kind), m_line(line), m_message(message) {}
