#pragma once

struct lua_State;

// string.find, string.match, string.gmatch and string.gsub with Lua's own pattern language and results,
// matched by a matcher that looks at the sandbox's clock as it goes. Lua's matcher backtracks inside one
// C call: a pattern such as ".-.-.-.-x" over a long text runs for hours, where no count hook can reach
// it. These do the same matching and stop with the sandbox's time stop. Installed into the string table
// at stack index `stringTable`.
void installPatternFunctions(lua_State* L, int stringTable);
