#pragma once

#include "core/SpyTable.h"

#include <QString>

// A player's method that plays one follower of a spy: at each event of the spy table (the spy out on its
// wheel past the previous event's window), the follower as estratto on the followers' wheel for the colpi
// of the table. Its complete positive cases are the follower's presences, its expected positives the
// table's expected presences; the back-test adds the money.
QString spyScript(const SpySettings& settings, int follower);

// The file name such a method is saved under: "spia-90-BA-81-BA-9.lua".
QString spyScriptName(const SpySettings& settings, int follower);
