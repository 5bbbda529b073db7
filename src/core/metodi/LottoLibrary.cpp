#include "core/metodi/LottoLibrary.h"

#include "core/DrawArchive.h"
#include "core/DrawDate.h"
#include "core/WheelNames.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <lua.hpp>
#include <string>

namespace {
constexpr int Tutte = ScriptDelays::TutteWheels;
constexpr int MaxNumbers = 10;
constexpr int MaxColpi = 99;
constexpr std::array<const char*, 5> SorteNames{"estratto", "ambo", "terno", "quaterna", "cinquina"};

// A misuse found by the library: the entry point turns it into a Lua error at the script's line.
struct LibraryError {
    std::string text;
};

[[noreturn]] void fail(const char* function, const QString& what) {
    throw LibraryError{QStringLiteral("%1: %2").arg(QLatin1String(function), what).toStdString()};
}

QString valueText(lua_State* L, int index) {
    switch (lua_type(L, index)) {
    case LUA_TNONE:
    case LUA_TNIL: return QStringLiteral("niente");
    case LUA_TSTRING: return QStringLiteral("il testo \"%1\"").arg(QString::fromUtf8(lua_tostring(L, index)));
    case LUA_TNUMBER: {
        std::size_t size = 0;
        const char* text = luaL_tolstring(L, index, &size);
        QString shown = QString::fromUtf8(text, static_cast<qsizetype>(size));
        lua_pop(L, 1);
        return shown;
    }
    case LUA_TBOOLEAN: return lua_toboolean(L, index) ? QStringLiteral("true") : QStringLiteral("false");
    case LUA_TTABLE: return QStringLiteral("una tabella");
    case LUA_TFUNCTION: return QStringLiteral("una funzione");
    default: return QStringLiteral("un valore di tipo %1").arg(QLatin1String(luaL_typename(L, index)));
    }
}

// A whole number: an integer or a float with no fraction; anything else, a text of digits included, is
// an error.
lua_Integer integerArg(lua_State* L, int index, const char* function, const QString& what, lua_Integer lo,
                       lua_Integer hi) {
    int whole = 0;
    const lua_Integer value = lua_type(L, index) == LUA_TNUMBER ? lua_tointegerx(L, index, &whole) : 0;
    if (!whole)
        fail(function, QStringLiteral("%1 deve essere un numero intero, non %2").arg(what, valueText(L, index)));
    if (value < lo || value > hi)
        fail(function, QStringLiteral("%1 %2 non è fra %3 e %4").arg(what).arg(value).arg(lo).arg(hi));
    return value;
}

int numberArg(lua_State* L, int index, const char* function) {
    return static_cast<int>(integerArg(L, index, function, QStringLiteral("il numero"), 1, 90));
}

int fuoriNovanta(lua_Integer x) {
    const lua_Integer r = (x - 1) % 90;
    return static_cast<int>((r < 0 ? r + 90 : r) + 1);
}

// 0..10 for a wheel's code (RM for Roma too), Tutte for TU, in any case; nullopt for anything else.
std::optional<int> wheelCode(const QString& text) {
    const QString code = text.trimmed().toUpper();
    if (code == QLatin1String("RM"))
        return 7;
    if (code == QLatin1String(AllWheelsCode.data(), static_cast<qsizetype>(AllWheelsCode.size())))
        return Tutte;
    for (int w = 0; w < WheelCount; ++w) {
        const std::string_view c = WheelNames[static_cast<std::size_t>(w)].code;
        if (code == QLatin1String(c.data(), static_cast<qsizetype>(c.size())))
            return w;
    }
    return std::nullopt;
}

int wheelArg(lua_State* L, int index, const char* function, bool tutteAllowed) {
    if (lua_type(L, index) != LUA_TSTRING)
        fail(function, QStringLiteral("la ruota deve essere un codice come \"BA\", non %1").arg(valueText(L, index)));
    const QString text = QString::fromUtf8(lua_tostring(L, index));
    const std::optional<int> wheel = wheelCode(text);
    if (!wheel)
        fail(function, QStringLiteral("ruota sconosciuta \"%1\"").arg(text));
    if (*wheel == Tutte && !tutteAllowed)
        fail(function, QStringLiteral("vuole una ruota sola, non TU"));
    return *wheel;
}

// A sorte by name, in any case, or 1..5.
int sorteArg(lua_State* L, int index, const char* function) {
    if (lua_type(L, index) == LUA_TSTRING) {
        const QString name = QString::fromUtf8(lua_tostring(L, index)).trimmed().toLower();
        for (std::size_t s = 0; s < SorteNames.size(); ++s)
            if (name == QLatin1String(SorteNames[s]))
                return static_cast<int>(s) + 1;
        fail(function, QStringLiteral("sorte sconosciuta \"%1\"").arg(name));
    }
    if (lua_type(L, index) != LUA_TNUMBER)
        fail(function, QStringLiteral("la sorte deve essere un nome come \"ambo\" o un numero da 1 a 5, non %1")
                           .arg(valueText(L, index)));
    return static_cast<int>(integerArg(L, index, function, QStringLiteral("la sorte"), 1, 5));
}

// A number or a list of numbers, all different, 1 to maxCount of them.
std::vector<int> numbersArg(lua_State* L, int index, const char* function, int maxCount) {
    std::vector<int> numbers;
    if (lua_type(L, index) == LUA_TTABLE) {
        const lua_Integer count = static_cast<lua_Integer>(lua_rawlen(L, index));
        if (count > maxCount)
            fail(function, QStringLiteral("più di %1 numeri").arg(maxCount));
        for (lua_Integer i = 1; i <= count; ++i) {
            lua_rawgeti(L, index, i);
            numbers.push_back(numberArg(L, lua_gettop(L), function));
            lua_pop(L, 1);
        }
    } else {
        numbers.push_back(numberArg(L, index, function));
    }
    if (numbers.empty())
        fail(function, QStringLiteral("nessun numero"));
    for (std::size_t i = 0; i < numbers.size(); ++i)
        if (std::find(numbers.begin(), numbers.begin() + static_cast<std::ptrdiff_t>(i), numbers[i]) !=
            numbers.begin() + static_cast<std::ptrdiff_t>(i))
            fail(function, QStringLiteral("il numero %1 è ripetuto").arg(numbers[i]));
    return numbers;
}

QString sorteName(int sorte) {
    return QLatin1String(SorteNames[static_cast<std::size_t>(sorte - 1)]);
}

void checkSorte(const char* function, int sorte, std::size_t count) {
    if (static_cast<std::size_t>(sorte) > count)
        fail(function, QStringLiteral("la sorte %1 vuole almeno %2 numeri, qui ce ne sono %3")
                           .arg(sorteName(sorte))
                           .arg(sorte)
                           .arg(count));
}

void pushList(lua_State* L, const std::vector<int>& values) {
    lua_createtable(L, static_cast<int>(values.size()), 0);
    for (std::size_t i = 0; i < values.size(); ++i) {
        lua_pushinteger(L, values[i]);
        lua_rawseti(L, -2, static_cast<lua_Integer>(i) + 1);
    }
}

bool isKey(lua_State* L, int index, const char* key) {
    return lua_type(L, index) == LUA_TSTRING && std::strcmp(lua_tostring(L, index), key) == 0;
}
} // namespace

template <LottoLibrary::Function F> int LottoLibrary::entry(lua_State* L) {
    auto* self = static_cast<LottoLibrary*>(lua_touserdata(L, lua_upvalueindex(1)));
    char message[700];
    try {
        return (self->*F)(L);
    } catch (const LibraryError& e) {
        std::snprintf(message, sizeof message, "%s", e.text.c_str());
    } catch (const std::exception& e) {
        std::snprintf(message, sizeof message, "%s", e.what());
    }
    return luaL_error(L, "%s", message);
}

LottoLibrary::LottoLibrary(lua_State* L, const DrawArchive& archive, const std::map<QString, ScriptValue>& values)
    : m_archive(archive), m_drawn(archive), m_delays(archive, m_drawn), m_open(m_drawn), m_values(values) {
    const int draws = archive.drawCount();
    m_dates.resize(static_cast<std::size_t>(draws) + 1);
    m_indexInMonth.resize(static_cast<std::size_t>(draws) + 1, 0);
    for (int d = 1; d <= draws; ++d) {
        const QDate day = drawDay(archive, d);
        m_dates[static_cast<std::size_t>(d)] = day;
        const QDate before = m_dates[static_cast<std::size_t>(d - 1)];
        const bool sameMonth = d > 1 && day.year() == before.year() && day.month() == before.month();
        m_indexInMonth[static_cast<std::size_t>(d)] = sameMonth ? m_indexInMonth[static_cast<std::size_t>(d - 1)] + 1 : 1;
    }

    const struct {
        const char* name;
        lua_CFunction function;
    } functions[] = {
        {"estrazioni", &entry<&LottoLibrary::estrazioni>},
        {"data", &entry<&LottoLibrary::data>},
        {"anno", &entry<&LottoLibrary::anno>},
        {"mese", &entry<&LottoLibrary::mese>},
        {"giorno", &entry<&LottoLibrary::giorno>},
        {"giorno_settimana", &entry<&LottoLibrary::giornoSettimana>},
        {"indice_nel_mese", &entry<&LottoLibrary::indiceNelMese>},
        {"estratta", &entry<&LottoLibrary::estratta>},
        {"estratto", &entry<&LottoLibrary::estratto>},
        {"numeri", &entry<&LottoLibrary::numeri>},
        {"posizione", &entry<&LottoLibrary::posizione>},
        {"ruote", &entry<&LottoLibrary::ruote>},
        {"ritardo", &entry<&LottoLibrary::ritardo>},
        {"frequenza", &entry<&LottoLibrary::frequenza>},
        {"piu_ritardati", &entry<&LottoLibrary::piuRitardati>},
        {"fuori90", &entry<&LottoLibrary::fuori90>},
        {"diametrale", &entry<&LottoLibrary::diametrale>},
        {"vertibile", &entry<&LottoLibrary::vertibile>},
        {"figura", &entry<&LottoLibrary::figura>},
        {"cadenza", &entry<&LottoLibrary::cadenza>},
        {"decina", &entry<&LottoLibrary::decina>},
        {"distanza", &entry<&LottoLibrary::distanza>},
        {"gioca", &entry<&LottoLibrary::gioca>},
        {"in_gioco", &entry<&LottoLibrary::inGioco>},
        {"parametro", &entry<&LottoLibrary::parametro>},
        {"nota", &entry<&LottoLibrary::nota>},
    };
    for (const auto& f : functions) {
        lua_pushlightuserdata(L, this);
        lua_pushcclosure(L, f.function, 1);
        lua_setglobal(L, f.name);
    }
}

std::vector<Giocata> LottoLibrary::giocate() const {
    std::vector<Giocata> result = m_giocate;
    std::stable_sort(result.begin(), result.end(), [](const Giocata& a, const Giocata& b) { return a.draw > b.draw; });
    return result;
}

int LottoLibrary::readableDraw(lua_State* L, int index, const char* function) const {
    const lua_Integer draw = integerArg(L, index, function, QStringLiteral("l'estrazione"),
                                        std::numeric_limits<lua_Integer>::min(),
                                        std::numeric_limits<lua_Integer>::max());
    if (m_e == 0)
        fail(function, QStringLiteral("le estrazioni si leggono solo dentro esamina(e)"));
    if (draw > m_e)
        fail(function, QStringLiteral("l'estrazione %1 viene dopo quella esaminata (%2): un metodo non vede il futuro")
                           .arg(draw)
                           .arg(m_e));
    if (draw < 1)
        fail(function, QStringLiteral("l'estrazione %1 non c'è: la prima è la 1").arg(draw));
    return static_cast<int>(draw);
}

int LottoLibrary::estrazioni(lua_State* L) {
    lua_pushinteger(L, m_archive.drawCount());
    return 1;
}

QDate LottoLibrary::dateOf(lua_State* L, const char* function) {
    return m_dates[static_cast<std::size_t>(readableDraw(L, 1, function))];
}

int LottoLibrary::data(lua_State* L) {
    const QDate day = dateOf(L, "data");
    lua_pushstring(L, day.isValid() ? day.toString(QStringLiteral("yyyy-MM-dd")).toLatin1().constData() : "");
    return 1;
}

int LottoLibrary::anno(lua_State* L) {
    lua_pushinteger(L, dateOf(L, "anno").year());
    return 1;
}

int LottoLibrary::mese(lua_State* L) {
    lua_pushinteger(L, dateOf(L, "mese").month());
    return 1;
}

int LottoLibrary::giorno(lua_State* L) {
    lua_pushinteger(L, dateOf(L, "giorno").day());
    return 1;
}

int LottoLibrary::giornoSettimana(lua_State* L) {
    lua_pushinteger(L, dateOf(L, "giorno_settimana").dayOfWeek());
    return 1;
}

int LottoLibrary::indiceNelMese(lua_State* L) {
    lua_pushinteger(L, m_indexInMonth[static_cast<std::size_t>(readableDraw(L, 1, "indice_nel_mese"))]);
    return 1;
}

int LottoLibrary::estratta(lua_State* L) {
    const int draw = readableDraw(L, 1, "estratta");
    lua_pushboolean(L, m_delays.drawn(draw, wheelArg(L, 2, "estratta", true)));
    return 1;
}

int LottoLibrary::estratto(lua_State* L) {
    const int draw = readableDraw(L, 1, "estratto");
    const int wheel = wheelArg(L, 2, "estratto", false);
    const auto position = integerArg(L, 3, "estratto", QStringLiteral("la posizione"), 1, PositionCount);
    const int n = m_archive.wheelNumbers(draw, wheel)[position - 1];
    lua_pushinteger(L, n >= 1 && n <= 90 ? n : 0);
    return 1;
}

int LottoLibrary::numeri(lua_State* L) {
    const int draw = readableDraw(L, 1, "numeri");
    const std::int16_t* ns = m_archive.wheelNumbers(draw, wheelArg(L, 2, "numeri", false));
    std::vector<int> five;
    for (int p = 0; p < PositionCount; ++p)
        five.push_back(ns[p] >= 1 && ns[p] <= 90 ? ns[p] : 0);
    pushList(L, five);
    return 1;
}

int LottoLibrary::posizione(lua_State* L) {
    const int draw = readableDraw(L, 1, "posizione");
    const std::int16_t* ns = m_archive.wheelNumbers(draw, wheelArg(L, 2, "posizione", false));
    const int n = numberArg(L, 3, "posizione");
    int position = 0;
    for (int p = PositionCount; p >= 1; --p)
        if (ns[p - 1] == n)
            position = p;
    lua_pushinteger(L, position);
    return 1;
}

int LottoLibrary::ruote(lua_State* L) {
    lua_createtable(L, WheelCount, 0);
    for (int w = 0; w < WheelCount; ++w) {
        const std::string_view code = WheelNames[static_cast<std::size_t>(w)].code;
        lua_pushlstring(L, code.data(), code.size());
        lua_rawseti(L, -2, w + 1);
    }
    return 1;
}

int LottoLibrary::ritardo(lua_State* L) {
    const int draw = readableDraw(L, 1, "ritardo");
    const int wheel = wheelArg(L, 2, "ritardo", true);
    const std::vector<int> numbers = numbersArg(L, 3, "ritardo", MaxNumbers);
    const int sorte = lua_isnoneornil(L, 4) ? std::min<int>(static_cast<int>(numbers.size()), 5) : sorteArg(L, 4, "ritardo");
    checkSorte("ritardo", sorte, numbers.size());
    lua_pushinteger(L, m_delays.delay(draw, wheel, numbers, sorte));
    return 1;
}

int LottoLibrary::frequenza(lua_State* L) {
    const int draw = readableDraw(L, 1, "frequenza");
    const int wheel = wheelArg(L, 2, "frequenza", true);
    const std::vector<int> numbers = numbersArg(L, 3, "frequenza", MaxNumbers);
    const int sorte =
        lua_isnoneornil(L, 4) ? std::min<int>(static_cast<int>(numbers.size()), 5) : sorteArg(L, 4, "frequenza");
    checkSorte("frequenza", sorte, numbers.size());
    const int from =
        lua_isnoneornil(L, 5) ? 1 : static_cast<int>(integerArg(L, 5, "frequenza", QStringLiteral("dal"), 1, draw));
    lua_pushinteger(L, m_delays.frequency(draw, wheel, numbers, sorte, from));
    return 1;
}

int LottoLibrary::piuRitardati(lua_State* L) {
    const int draw = readableDraw(L, 1, "piu_ritardati");
    const int wheel = wheelArg(L, 2, "piu_ritardati", true);
    const int k = static_cast<int>(integerArg(L, 3, "piu_ritardati", QStringLiteral("quanti"), 1, 90));
    const std::vector<ScriptDelays::Delay> longest = m_delays.longest(draw, wheel, k);
    lua_createtable(L, k, 0);
    lua_createtable(L, k, 0);
    for (int i = 0; i < k; ++i) {
        lua_pushinteger(L, longest[static_cast<std::size_t>(i)].number);
        lua_rawseti(L, -3, i + 1);
        lua_pushinteger(L, longest[static_cast<std::size_t>(i)].delay);
        lua_rawseti(L, -2, i + 1);
    }
    return 2;
}

int LottoLibrary::fuori90(lua_State* L) {
    const lua_Integer x = integerArg(L, 1, "fuori90", QStringLiteral("il numero"), -(lua_Integer{1} << 50),
                                     lua_Integer{1} << 50);
    lua_pushinteger(L, fuoriNovanta(x));
    return 1;
}

int LottoLibrary::diametrale(lua_State* L) {
    lua_pushinteger(L, fuoriNovanta(numberArg(L, 1, "diametrale") + 45));
    return 1;
}

int LottoLibrary::vertibile(lua_State* L) {
    const int n = numberArg(L, 1, "vertibile");
    lua_pushinteger(L, fuoriNovanta((n % 10) * 10 + n / 10));
    return 1;
}

int LottoLibrary::figura(lua_State* L) {
    lua_pushinteger(L, (numberArg(L, 1, "figura") - 1) % 9 + 1);
    return 1;
}

int LottoLibrary::cadenza(lua_State* L) {
    lua_pushinteger(L, numberArg(L, 1, "cadenza") % 10);
    return 1;
}

int LottoLibrary::decina(lua_State* L) {
    lua_pushinteger(L, (numberArg(L, 1, "decina") - 1) / 10 + 1);
    return 1;
}

int LottoLibrary::distanza(lua_State* L) {
    const int d = std::abs(numberArg(L, 1, "distanza") - numberArg(L, 2, "distanza"));
    lua_pushinteger(L, std::min(d, 90 - d));
    return 1;
}

Puntata LottoLibrary::puntata(lua_State* L, int index, bool shortForm) const {
    Puntata p;
    bool hasNumbers = false;
    bool hasSorte = false;
    bool hasWheels = false;
    int sorte = 1;
    lua_pushnil(L);
    while (lua_next(L, index) != 0) {
        const int key = lua_gettop(L) - 1;
        const int value = lua_gettop(L);
        if (isKey(L, key, "numeri")) {
            p.numeri = numbersArg(L, value, "gioca", MaxNumbers);
            hasNumbers = true;
        } else if (isKey(L, key, "sorte")) {
            sorte = sorteArg(L, value, "gioca");
            hasSorte = true;
        } else if (isKey(L, key, "ruote")) {
            hasWheels = true;
            auto addWheel = [&](int at) {
                const int w = wheelArg(L, at, "gioca", true);
                if (w == Tutte)
                    p.tutte = true;
                else
                    p.ruote |= static_cast<WheelMask>(1u << w);
                if (p.tutte && p.ruote != 0)
                    fail("gioca", QStringLiteral("TU non si mescola con altre ruote"));
            };
            if (lua_type(L, value) == LUA_TTABLE) {
                const auto count = static_cast<lua_Integer>(lua_rawlen(L, value));
                for (lua_Integer i = 1; i <= count; ++i) {
                    lua_rawgeti(L, value, i);
                    addWheel(lua_gettop(L));
                    lua_pop(L, 1);
                }
            } else {
                addWheel(value);
            }
        } else if (isKey(L, key, "posta")) {
            if (lua_type(L, value) != LUA_TNUMBER)
                fail("gioca", QStringLiteral("la posta deve essere un numero, non %1").arg(valueText(L, value)));
            p.posta = lua_tonumber(L, value);
            if (!std::isfinite(p.posta) || p.posta < 0)
                fail("gioca", QStringLiteral("la posta %1 non è un numero da 0 in su").arg(valueText(L, value)));
        } else if (!(shortForm && isKey(L, key, "colpi"))) {
            fail("gioca", lua_type(L, key) == LUA_TSTRING
                              ? QStringLiteral("chiave sconosciuta \"%1\" in una puntata").arg(QString::fromUtf8(lua_tostring(L, key)))
                              : QStringLiteral("chiave sconosciuta in una puntata"));
        }
        lua_pop(L, 1);
    }
    if (!hasNumbers)
        fail("gioca", QStringLiteral("una puntata senza numeri"));
    if (!hasSorte)
        fail("gioca", QStringLiteral("una puntata senza sorte"));
    if (!hasWheels || (p.ruote == 0 && !p.tutte))
        fail("gioca", QStringLiteral("una puntata senza ruote"));
    checkSorte("gioca", sorte, p.numeri.size());
    p.sorte = static_cast<Puntata::Sorte>(sorte);
    return p;
}

int LottoLibrary::gioca(lua_State* L) {
    if (m_e == 0)
        fail("gioca", QStringLiteral("si gioca solo dentro esamina(e)"));
    if (lua_type(L, 1) != LUA_TTABLE)
        fail("gioca", QStringLiteral("vuole una tabella: gioca{...}, non %1").arg(valueText(L, 1)));
    lua_settop(L, 1);
    const auto listed = static_cast<lua_Integer>(lua_rawlen(L, 1));
    bool shortForm = false;
    std::optional<int> colpi;
    lua_pushnil(L);
    while (lua_next(L, 1) != 0) {
        const int key = lua_gettop(L) - 1;
        if (isKey(L, key, "colpi")) {
            colpi = static_cast<int>(integerArg(L, key + 1, "gioca", QStringLiteral("colpi"), 1, MaxColpi));
        } else if (isKey(L, key, "numeri") || isKey(L, key, "sorte") || isKey(L, key, "ruote") ||
                   isKey(L, key, "posta")) {
            shortForm = true;
        } else if (lua_type(L, key) == LUA_TNUMBER) {
            int whole = 0;
            const lua_Integer i = lua_tointegerx(L, key, &whole);
            if (!whole || i < 1 || i > listed)
                fail("gioca", QStringLiteral("le puntate vanno in elenco da 1, senza buchi"));
        } else {
            fail("gioca", lua_type(L, key) == LUA_TSTRING
                              ? QStringLiteral("chiave sconosciuta \"%1\"").arg(QString::fromUtf8(lua_tostring(L, key)))
                              : QStringLiteral("chiave sconosciuta"));
        }
        lua_pop(L, 1);
    }
    if (shortForm && listed > 0)
        fail("gioca", QStringLiteral("o le puntate in elenco o numeri, sorte e ruote: non tutte e due"));
    if (!shortForm && listed == 0)
        fail("gioca", QStringLiteral("nessuna puntata"));
    if (!colpi)
        fail("gioca", QStringLiteral("mancano i colpi"));
    Giocata g;
    g.draw = m_e;
    g.colpi = *colpi;
    if (shortForm) {
        g.puntate.push_back(puntata(L, 1, true));
    } else {
        for (lua_Integer i = 1; i <= listed; ++i) {
            lua_rawgeti(L, 1, i);
            if (lua_type(L, -1) != LUA_TTABLE)
                fail("gioca", QStringLiteral("la puntata %1 deve essere una tabella, non %2").arg(i).arg(valueText(L, -1)));
            g.puntate.push_back(puntata(L, lua_gettop(L), false));
            lua_pop(L, 1);
        }
    }
    g.nota = std::move(m_nota);
    m_nota.reset();
    m_open.add(g);
    m_giocate.push_back(std::move(g));
    return 0;
}

int LottoLibrary::inGioco(lua_State* L) {
    if (m_e == 0)
        fail("in_gioco", QStringLiteral("si chiede solo dentro esamina(e)"));
    const int wheel = lua_isnoneornil(L, 1) ? -1 : wheelArg(L, 1, "in_gioco", true);
    lua_pushboolean(L, m_open.inPlay(m_e, wheel));
    return 1;
}

int LottoLibrary::parametro(lua_State* L) {
    if (m_e != 0)
        fail("parametro", QStringLiteral("i parametri si dichiarano fuori da esamina(e)"));
    if (lua_type(L, 1) != LUA_TSTRING)
        fail("parametro", QStringLiteral("il nome deve essere un testo, non %1").arg(valueText(L, 1)));
    ScriptParameter p;
    p.nome = QString::fromUtf8(lua_tostring(L, 1));
    const bool identifier = !p.nome.isEmpty() && p.nome[0].isLetter() &&
                            std::all_of(p.nome.begin(), p.nome.end(), [](QChar c) {
                                return c.isLetterOrNumber() || c == u'_';
                            });
    if (!identifier)
        fail("parametro", QStringLiteral("il nome \"%1\" deve cominciare con una lettera e avere solo lettere, "
                                         "cifre e _")
                              .arg(p.nome));
    for (const ScriptParameter& other : m_parameters)
        if (other.nome == p.nome)
            fail("parametro", QStringLiteral("il parametro \"%1\" è già dichiarato alla riga %2").arg(p.nome).arg(other.riga));
    auto valueAt = [&](int index, const QString& what) -> ScriptValue {
        if (lua_type(L, index) == LUA_TNUMBER)
            return lua_tonumber(L, index);
        if (lua_type(L, index) == LUA_TSTRING)
            return QString::fromUtf8(lua_tostring(L, index));
        fail("parametro", QStringLiteral("%1 deve essere un numero o un testo, non %2").arg(what, valueText(L, index)));
    };
    p.predefinito = valueAt(2, QStringLiteral("il valore predefinito"));
    if (!lua_isnoneornil(L, 3)) {
        if (lua_type(L, 3) != LUA_TTABLE)
            fail("parametro", QStringLiteral("i valori vanno in una lista, non %1").arg(valueText(L, 3)));
        const auto count = static_cast<lua_Integer>(lua_rawlen(L, 3));
        for (lua_Integer i = 1; i <= count; ++i) {
            lua_rawgeti(L, 3, i);
            const ScriptValue v = valueAt(lua_gettop(L), QStringLiteral("un valore"));
            if (v.index() != p.predefinito.index())
                fail("parametro", QStringLiteral("i valori di \"%1\" devono essere dello stesso tipo del predefinito").arg(p.nome));
            p.valori.push_back(v);
            lua_pop(L, 1);
        }
    }
    lua_Debug ar;
    if (lua_getstack(L, 1, &ar) && lua_getinfo(L, "l", &ar))
        p.riga = ar.currentline;
    ScriptValue value = p.predefinito;
    if (const auto given = m_values.find(p.nome); given != m_values.end()) {
        if (given->second.index() == p.predefinito.index()) {
            value = given->second;
        } else if (p.numeric()) {
            const std::optional<ScriptValue> read = p.valueFromText(std::get<QString>(given->second));
            if (!read) {
                m_parameterError = QStringLiteral("Il parametro \"%1\" vuole un numero, non \"%2\"")
                                       .arg(p.nome, std::get<QString>(given->second));
                fail("parametro", *m_parameterError);
            }
            value = *read;
        } else {
            value = scriptValueText(given->second);
        }
    }
    m_parameters.push_back(p);
    if (const double* number = std::get_if<double>(&value)) {
        if (std::nearbyint(*number) == *number && std::fabs(*number) < 9.0e15)
            lua_pushinteger(L, static_cast<lua_Integer>(*number));
        else
            lua_pushnumber(L, *number);
    } else {
        lua_pushstring(L, std::get<QString>(value).toUtf8().constData());
    }
    return 1;
}

int LottoLibrary::nota(lua_State* L) {
    if (lua_type(L, 1) != LUA_TSTRING && lua_type(L, 1) != LUA_TNUMBER)
        fail("nota", QStringLiteral("vuole un testo o un numero, non %1").arg(valueText(L, 1)));
    std::size_t size = 0;
    const char* text = luaL_tolstring(L, 1, &size);
    m_nota = QString::fromUtf8(text, static_cast<qsizetype>(size));
    return 0;
}
