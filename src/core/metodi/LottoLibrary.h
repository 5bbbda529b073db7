#pragma once

#include "core/DrawnNumbers.h"
#include "core/Giocata.h"
#include "core/metodi/OpenPlays.h"
#include "core/metodi/ScriptDelays.h"
#include "core/metodi/ScriptParameter.h"

#include <QDate>
#include <QString>
#include <map>
#include <optional>
#include <vector>

class DrawArchive;
struct lua_State;

// The Italian Lotto library a method calls: the archive, delays and frequencies, the numbers' relations,
// gioca and in_gioco, parametro and nota (the functions are listed in the language's help). Draws are
// the program's DrawIndex; wheels are the codes the program shows (RM too for Roma), TU for BA..VE
// together. While esamina(e) runs, a function reads only draws up to e; at the top level it reads none.
// Every misuse is a Lua error in Italian, which the script can catch with pcall.
class LottoLibrary {
public:
    // Installs the functions as globals of L. `values`: the player's values of the parameters.
    LottoLibrary(lua_State* L, const DrawArchive& archive, const std::map<QString, ScriptValue>& values);
    LottoLibrary(const LottoLibrary&) = delete;
    LottoLibrary& operator=(const LottoLibrary&) = delete;

    // The draw esamina is called for; 0 while the top level runs.
    void examine(int e) { m_e = e; }

    const std::vector<ScriptParameter>& parameters() const { return m_parameters; }
    // A player's value that parametro could not take (a number due, a text given): the message.
    const std::optional<QString>& parameterError() const { return m_parameterError; }
    // Most recent first, in the order gioca was called within one draw.
    std::vector<Giocata> giocate() const;

private:
    using Function = int (LottoLibrary::*)(lua_State*);
    template <Function F> static int entry(lua_State* L);

    // The archive
    int estrazioni(lua_State* L);
    int data(lua_State* L);
    int anno(lua_State* L);
    int mese(lua_State* L);
    int giorno(lua_State* L);
    int giornoSettimana(lua_State* L);
    int indiceNelMese(lua_State* L);
    int estratta(lua_State* L);
    int estratto(lua_State* L);
    int numeri(lua_State* L);
    int posizione(lua_State* L);
    int ruote(lua_State* L);
    // Statistics
    int ritardo(lua_State* L);
    int frequenza(lua_State* L);
    int piuRitardati(lua_State* L);
    // Numbers
    int fuori90(lua_State* L);
    int diametrale(lua_State* L);
    int vertibile(lua_State* L);
    int figura(lua_State* L);
    int cadenza(lua_State* L);
    int decina(lua_State* L);
    int distanza(lua_State* L);
    // Play, settings, output
    int gioca(lua_State* L);
    int inGioco(lua_State* L);
    int parametro(lua_State* L);
    int nota(lua_State* L);

    // A draw argument the script may read now.
    int readableDraw(lua_State* L, int index, const char* function) const;
    QDate dateOf(lua_State* L, const char* function);
    Puntata puntata(lua_State* L, int index, bool shortForm) const;

    const DrawArchive& m_archive;
    DrawnNumbers m_drawn;
    ScriptDelays m_delays;
    OpenPlays m_open;
    std::vector<QDate> m_dates;
    std::vector<int> m_indexInMonth;
    std::map<QString, ScriptValue> m_values;
    std::vector<ScriptParameter> m_parameters;
    std::optional<QString> m_parameterError;
    std::vector<Giocata> m_giocate; // in the order opened
    std::optional<QString> m_nota;
    int m_e = 0;
};
