#include "core/metodi/LuaPatterns.h"

#include "core/metodi/LuaSandbox.h"

#include <cctype>
#include <cstddef>
#include <cstring>
#include <lua.hpp>

// The matcher follows Lua 5.4's lstrlib.c (MIT licence, Lua.org, PUC-Rio) step for step, so that every
// pattern means what the Lua manual says; the one addition is the look at the clock. It is C-like on
// purpose: a Lua error unwinds these frames with longjmp, so nothing in them may need a destructor.
namespace {
constexpr char Escape = '%';
constexpr const char* Specials = "^$*+?.([%-";
constexpr int MaxCalls = 200;
constexpr int MaxCaptures = 32;
constexpr std::ptrdiff_t CapUnfinished = -1;
constexpr std::ptrdiff_t CapPosition = -2;
// Matching steps between two looks at the clock.
constexpr unsigned StepsPerCheck = 1u << 14;

unsigned char uchar(char c) {
    return static_cast<unsigned char>(c);
}

struct MatchState {
    const char* srcInit;
    const char* srcEnd;
    const char* pEnd;
    lua_State* L;
    int matchDepth;
    int level;
    unsigned steps;
    struct {
        const char* init;
        std::ptrdiff_t len;
    } capture[MaxCaptures];
};

void step(MatchState* ms) {
    if (++ms->steps >= StepsPerCheck) {
        ms->steps = 0;
        LuaSandbox::of(ms->L).checkLimits(ms->L);
    }
}

const char* match(MatchState* ms, const char* s, const char* p);

int checkCapture(MatchState* ms, int l) {
    l -= '1';
    if (l < 0 || l >= ms->level || ms->capture[l].len == CapUnfinished)
        return luaL_error(ms->L, "invalid capture index %%%d", l + 1);
    return l;
}

int captureToClose(MatchState* ms) {
    int level = ms->level;
    for (level--; level >= 0; level--)
        if (ms->capture[level].len == CapUnfinished)
            return level;
    return luaL_error(ms->L, "invalid pattern capture");
}

const char* classEnd(MatchState* ms, const char* p) {
    switch (*p++) {
    case Escape:
        if (p == ms->pEnd)
            luaL_error(ms->L, "malformed pattern (ends with '%%')");
        return p + 1;
    case '[':
        if (*p == '^')
            p++;
        do {
            if (p == ms->pEnd)
                luaL_error(ms->L, "malformed pattern (missing ']')");
            if (*(p++) == Escape && p < ms->pEnd)
                p++;
        } while (*p != ']');
        return p + 1;
    default:
        return p;
    }
}

int matchClass(int c, int cl) {
    int res;
    switch (std::tolower(cl)) {
    case 'a': res = std::isalpha(c); break;
    case 'c': res = std::iscntrl(c); break;
    case 'd': res = std::isdigit(c); break;
    case 'g': res = std::isgraph(c); break;
    case 'l': res = std::islower(c); break;
    case 'p': res = std::ispunct(c); break;
    case 's': res = std::isspace(c); break;
    case 'u': res = std::isupper(c); break;
    case 'w': res = std::isalnum(c); break;
    case 'x': res = std::isxdigit(c); break;
    default: return cl == c;
    }
    if (std::isupper(cl))
        res = !res;
    return res;
}

int matchBracketClass(int c, const char* p, const char* ec) {
    int sig = 1;
    if (*(p + 1) == '^') {
        sig = 0;
        p++;
    }
    while (++p < ec) {
        if (*p == Escape) {
            p++;
            if (matchClass(c, uchar(*p)))
                return sig;
        } else if (*(p + 1) == '-' && p + 2 < ec) {
            p += 2;
            if (uchar(*(p - 2)) <= c && c <= uchar(*p))
                return sig;
        } else if (uchar(*p) == c) {
            return sig;
        }
    }
    return !sig;
}

int singleMatch(MatchState* ms, const char* s, const char* p, const char* ep) {
    if (s >= ms->srcEnd)
        return 0;
    const int c = uchar(*s);
    switch (*p) {
    case '.': return 1;
    case Escape: return matchClass(c, uchar(*(p + 1)));
    case '[': return matchBracketClass(c, p, ep - 1);
    default: return uchar(*p) == c;
    }
}

const char* matchBalance(MatchState* ms, const char* s, const char* p) {
    if (p >= ms->pEnd - 1)
        luaL_error(ms->L, "malformed pattern (missing arguments to '%%b')");
    if (s >= ms->srcEnd || *s != *p)
        return nullptr;
    const char b = *p;
    const char e = *(p + 1);
    int cont = 1;
    while (++s < ms->srcEnd) {
        step(ms);
        if (*s == e) {
            if (--cont == 0)
                return s + 1;
        } else if (*s == b) {
            cont++;
        }
    }
    return nullptr;
}

const char* maxExpand(MatchState* ms, const char* s, const char* p, const char* ep) {
    std::ptrdiff_t i = 0;
    while (singleMatch(ms, s + i, p, ep)) {
        step(ms);
        i++;
    }
    while (i >= 0) {
        const char* res = match(ms, s + i, ep + 1);
        if (res)
            return res;
        i--;
    }
    return nullptr;
}

const char* minExpand(MatchState* ms, const char* s, const char* p, const char* ep) {
    for (;;) {
        const char* res = match(ms, s, ep + 1);
        if (res)
            return res;
        if (!singleMatch(ms, s, p, ep))
            return nullptr;
        s++;
    }
}

const char* startCapture(MatchState* ms, const char* s, const char* p, std::ptrdiff_t what) {
    const int level = ms->level;
    if (level >= MaxCaptures)
        luaL_error(ms->L, "too many captures");
    ms->capture[level].init = s;
    ms->capture[level].len = what;
    ms->level = level + 1;
    const char* res = match(ms, s, p);
    if (!res)
        ms->level--;
    return res;
}

const char* endCapture(MatchState* ms, const char* s, const char* p) {
    const int l = captureToClose(ms);
    ms->capture[l].len = s - ms->capture[l].init;
    const char* res = match(ms, s, p);
    if (!res)
        ms->capture[l].len = CapUnfinished;
    return res;
}

const char* matchCapture(MatchState* ms, const char* s, int l) {
    l = checkCapture(ms, l);
    const auto len = static_cast<std::size_t>(ms->capture[l].len);
    if (static_cast<std::size_t>(ms->srcEnd - s) >= len && std::memcmp(ms->capture[l].init, s, len) == 0)
        return s + len;
    return nullptr;
}

const char* match(MatchState* ms, const char* s, const char* p) {
    if (ms->matchDepth-- == 0)
        luaL_error(ms->L, "pattern too complex");
    step(ms);
init:
    if (p != ms->pEnd) {
        switch (*p) {
        case '(':
            if (*(p + 1) == ')')
                s = startCapture(ms, s, p + 2, CapPosition);
            else
                s = startCapture(ms, s, p + 1, CapUnfinished);
            break;
        case ')':
            s = endCapture(ms, s, p + 1);
            break;
        case '$':
            if (p + 1 != ms->pEnd)
                goto dflt;
            s = (s == ms->srcEnd) ? s : nullptr;
            break;
        case Escape:
            switch (*(p + 1)) {
            case 'b':
                s = matchBalance(ms, s, p + 2);
                if (s) {
                    p += 4;
                    goto init;
                }
                break;
            case 'f': {
                p += 2;
                if (*p != '[')
                    luaL_error(ms->L, "missing '[' after '%%f' in pattern");
                const char* ep = classEnd(ms, p);
                const char previous = (s == ms->srcInit) ? '\0' : *(s - 1);
                if (!matchBracketClass(uchar(previous), p, ep - 1) && matchBracketClass(uchar(*s), p, ep - 1)) {
                    p = ep;
                    goto init;
                }
                s = nullptr;
                break;
            }
            case '0': case '1': case '2': case '3': case '4':
            case '5': case '6': case '7': case '8': case '9':
                s = matchCapture(ms, s, uchar(*(p + 1)));
                if (s) {
                    p += 2;
                    goto init;
                }
                break;
            default:
                goto dflt;
            }
            break;
        default:
        dflt: {
            const char* ep = classEnd(ms, p);
            if (!singleMatch(ms, s, p, ep)) {
                if (*ep == '*' || *ep == '?' || *ep == '-') {
                    p = ep + 1;
                    goto init;
                }
                s = nullptr;
            } else {
                switch (*ep) {
                case '?': {
                    const char* res = match(ms, s + 1, ep + 1);
                    if (res) {
                        s = res;
                    } else {
                        p = ep + 1;
                        goto init;
                    }
                    break;
                }
                case '+': s = maxExpand(ms, s + 1, p, ep); break;
                case '*': s = maxExpand(ms, s, p, ep); break;
                case '-': s = minExpand(ms, s, p, ep); break;
                default:
                    s++;
                    p = ep;
                    goto init;
                }
            }
            break;
        }
        }
    }
    ms->matchDepth++;
    return s;
}

std::ptrdiff_t getOneCapture(MatchState* ms, int i, const char* s, const char* e, const char** cap) {
    if (i >= ms->level) {
        if (i != 0)
            luaL_error(ms->L, "invalid capture index %%%d", i + 1);
        *cap = s;
        return e - s;
    }
    const std::ptrdiff_t capl = ms->capture[i].len;
    *cap = ms->capture[i].init;
    if (capl == CapUnfinished)
        luaL_error(ms->L, "unfinished capture");
    else if (capl == CapPosition)
        lua_pushinteger(ms->L, (ms->capture[i].init - ms->srcInit) + 1);
    return capl;
}

void pushOneCapture(MatchState* ms, int i, const char* s, const char* e) {
    const char* cap;
    const std::ptrdiff_t l = getOneCapture(ms, i, s, e, &cap);
    if (l != CapPosition)
        lua_pushlstring(ms->L, cap, static_cast<std::size_t>(l));
}

int pushCaptures(MatchState* ms, const char* s, const char* e) {
    const int levels = (ms->level == 0 && s) ? 1 : ms->level;
    luaL_checkstack(ms->L, levels, "too many captures");
    for (int i = 0; i < levels; i++)
        pushOneCapture(ms, i, s, e);
    return levels;
}

bool noSpecials(const char* p, std::size_t l) {
    std::size_t upto = 0;
    do {
        if (std::strpbrk(p + upto, Specials))
            return false;
        upto += std::strlen(p + upto) + 1;
    } while (upto <= l);
    return true;
}

void prepareState(MatchState* ms, lua_State* L, const char* s, std::size_t ls, const char* p, std::size_t lp) {
    ms->L = L;
    ms->matchDepth = MaxCalls;
    ms->srcInit = s;
    ms->srcEnd = s + ls;
    ms->pEnd = p + lp;
    ms->steps = 0;
}

void restartState(MatchState* ms) {
    ms->level = 0;
    ms->matchDepth = MaxCalls;
}

std::size_t relativeStart(lua_Integer pos, std::size_t len) {
    if (pos > 0)
        return static_cast<std::size_t>(pos);
    if (pos == 0 || pos < -static_cast<lua_Integer>(len))
        return 1;
    return len + static_cast<std::size_t>(pos) + 1;
}

// A plain search, also looking at the clock: a long needle over a long text is slow too.
const char* findPlain(MatchState* ms, const char* s, std::size_t ls, const char* p, std::size_t lp) {
    if (lp == 0)
        return s;
    if (lp > ls)
        return nullptr;
    const char* end = s + (ls - lp) + 1;
    while (s < end) {
        const char* c = static_cast<const char*>(std::memchr(s, *p, static_cast<std::size_t>(end - s)));
        if (!c)
            return nullptr;
        if (std::memcmp(c + 1, p + 1, lp - 1) == 0)
            return c;
        ms->steps += static_cast<unsigned>(lp / 64);
        step(ms);
        s = c + 1;
    }
    return nullptr;
}

int findAux(lua_State* L, bool find) {
    std::size_t ls = 0;
    std::size_t lp = 0;
    const char* s = luaL_checklstring(L, 1, &ls);
    const char* p = luaL_checklstring(L, 2, &lp);
    const std::size_t init = relativeStart(luaL_optinteger(L, 3, 1), ls) - 1;
    if (init > ls) {
        luaL_pushfail(L);
        return 1;
    }
    MatchState ms;
    prepareState(&ms, L, s, ls, p, lp);
    if (find && (lua_toboolean(L, 4) || noSpecials(p, lp))) {
        const char* s2 = findPlain(&ms, s + init, ls - init, p, lp);
        if (s2) {
            lua_pushinteger(L, (s2 - s) + 1);
            lua_pushinteger(L, static_cast<lua_Integer>((s2 - s) + static_cast<std::ptrdiff_t>(lp)));
            return 2;
        }
    } else {
        const char* s1 = s + init;
        const bool anchor = *p == '^';
        if (anchor) {
            p++;
            lp--;
        }
        prepareState(&ms, L, s, ls, p, lp);
        do {
            restartState(&ms);
            const char* res = match(&ms, s1, p);
            if (res) {
                if (find) {
                    lua_pushinteger(L, (s1 - s) + 1);
                    lua_pushinteger(L, res - s);
                    return pushCaptures(&ms, nullptr, nullptr) + 2;
                }
                return pushCaptures(&ms, s1, res);
            }
        } while (s1++ < ms.srcEnd && !anchor);
    }
    luaL_pushfail(L);
    return 1;
}

int strFind(lua_State* L) {
    return findAux(L, true);
}

int strMatch(lua_State* L) {
    return findAux(L, false);
}

struct GMatchState {
    const char* src;
    const char* p;
    const char* lastMatch;
    MatchState ms;
};

int gmatchStep(lua_State* L) {
    auto* gm = static_cast<GMatchState*>(lua_touserdata(L, lua_upvalueindex(3)));
    gm->ms.L = L;
    for (const char* src = gm->src; src <= gm->ms.srcEnd; src++) {
        restartState(&gm->ms);
        const char* e = match(&gm->ms, src, gm->p);
        if (e && e != gm->lastMatch) {
            gm->src = gm->lastMatch = e;
            return pushCaptures(&gm->ms, src, e);
        }
    }
    return 0;
}

int strGmatch(lua_State* L) {
    std::size_t ls = 0;
    std::size_t lp = 0;
    const char* s = luaL_checklstring(L, 1, &ls);
    const char* p = luaL_checklstring(L, 2, &lp);
    std::size_t init = relativeStart(luaL_optinteger(L, 3, 1), ls) - 1;
    lua_settop(L, 2); // the strings stay alive as upvalues
    auto* gm = static_cast<GMatchState*>(lua_newuserdatauv(L, sizeof(GMatchState), 0));
    if (init > ls)
        init = ls + 1;
    prepareState(&gm->ms, L, s, ls, p, lp);
    gm->src = s + init;
    gm->p = p;
    gm->lastMatch = nullptr;
    lua_pushcclosure(L, gmatchStep, 3);
    return 1;
}

void addReplacement(MatchState* ms, luaL_Buffer* b, const char* s, const char* e) {
    lua_State* L = ms->L;
    std::size_t l = 0;
    const char* news = lua_tolstring(L, 3, &l);
    const char* p;
    while ((p = static_cast<const char*>(std::memchr(news, Escape, l))) != nullptr) {
        luaL_addlstring(b, news, static_cast<std::size_t>(p - news));
        p++;
        if (*p == Escape) {
            luaL_addchar(b, *p);
        } else if (*p == '0') {
            luaL_addlstring(b, s, static_cast<std::size_t>(e - s));
        } else if (std::isdigit(uchar(*p))) {
            const char* cap;
            const std::ptrdiff_t resl = getOneCapture(ms, *p - '1', s, e, &cap);
            if (resl == CapPosition)
                luaL_addvalue(b);
            else
                luaL_addlstring(b, cap, static_cast<std::size_t>(resl));
        } else {
            luaL_error(L, "invalid use of '%c' in replacement string", Escape);
        }
        l -= static_cast<std::size_t>(p + 1 - news);
        news = p + 1;
    }
    luaL_addlstring(b, news, l);
}

bool addValue(MatchState* ms, luaL_Buffer* b, const char* s, const char* e, int tr) {
    lua_State* L = ms->L;
    switch (tr) {
    case LUA_TFUNCTION: {
        lua_pushvalue(L, 3);
        const int n = pushCaptures(ms, s, e);
        lua_call(L, n, 1);
        break;
    }
    case LUA_TTABLE:
        pushOneCapture(ms, 0, s, e);
        lua_gettable(L, 3);
        break;
    default:
        addReplacement(ms, b, s, e);
        return true;
    }
    if (!lua_toboolean(L, -1)) {
        lua_pop(L, 1);
        luaL_addlstring(b, s, static_cast<std::size_t>(e - s));
        return false;
    }
    if (!lua_isstring(L, -1))
        luaL_error(L, "invalid replacement value (a %s)", luaL_typename(L, -1));
    luaL_addvalue(b);
    return true;
}

int strGsub(lua_State* L) {
    std::size_t srcl = 0;
    std::size_t lp = 0;
    const char* src = luaL_checklstring(L, 1, &srcl);
    const char* p = luaL_checklstring(L, 2, &lp);
    const char* lastMatch = nullptr;
    const int tr = lua_type(L, 3);
    const lua_Integer maxS = luaL_optinteger(L, 4, static_cast<lua_Integer>(srcl) + 1);
    const bool anchor = *p == '^';
    lua_Integer n = 0;
    bool changed = false;
    MatchState ms;
    luaL_Buffer b;
    luaL_argexpected(L, tr == LUA_TNUMBER || tr == LUA_TSTRING || tr == LUA_TFUNCTION || tr == LUA_TTABLE, 3,
                     "string/function/table");
    luaL_buffinit(L, &b);
    if (anchor) {
        p++;
        lp--;
    }
    prepareState(&ms, L, src, srcl, p, lp);
    while (n < maxS) {
        restartState(&ms);
        const char* e = match(&ms, src, p);
        if (e && e != lastMatch) {
            n++;
            changed = addValue(&ms, &b, src, e, tr) || changed;
            src = lastMatch = e;
        } else if (src < ms.srcEnd) {
            luaL_addchar(&b, *src++);
        } else {
            break;
        }
        if (anchor)
            break;
    }
    if (!changed) {
        lua_pushvalue(L, 1);
    } else {
        luaL_addlstring(&b, src, static_cast<std::size_t>(ms.srcEnd - src));
        luaL_pushresult(&b);
    }
    lua_pushinteger(L, n);
    return 2;
}
} // namespace

void installPatternFunctions(lua_State* L, int stringTable) {
    const luaL_Reg functions[] = {{"find", strFind}, {"match", strMatch}, {"gmatch", strGmatch}, {"gsub", strGsub}};
    for (const luaL_Reg& f : functions) {
        lua_pushcfunction(L, f.func);
        lua_setfield(L, stringTable, f.name);
    }
}
