#pragma once

#include <QString>
#include <stdexcept>

// Why a player's method did not run to the end, in Italian, with the script's line (0 when no line is to
// blame: a missing esamina, a parameter the method does not declare). Nothing of a failed run is a result.
class ScriptError : public std::runtime_error {
public:
    enum class Kind {
        Sintassi,   // the script does not compile
        Esecuzione, // a runtime error, a library function misused, a read of a future draw
        Fermato,    // more than the time or memory a run may take
        Parametro,  // a value for a parameter the method does not declare, or of the wrong type
    };

    ScriptError(Kind kind, int line, const QString& message);

    Kind kind() const { return m_kind; }
    int line() const { return m_line; }
    // The whole message as the player reads it ("Errore alla riga 12: ...").
    const QString& message() const { return m_message; }

private:
    Kind m_kind;
    int m_line;
    QString m_message;
};
