#pragma once

#include "core/DelayItems.h"

// The wheels by their codes, as the tests that build archives by hand name them: the archive's wheels
// 0 to 10, and TU for all of them together.
enum Wheel { BA = 0, CA, FI, GE, MI, NA, PA, RO, TO, VE, NZ, TU = TutteWheel };
