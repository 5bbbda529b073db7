#include "gui/ambo/AmboState.h"

#include <algorithm>

bool AmboState::admitted(int w1, int w2) const {
    WheelRelations::Types types{};
    std::copy_n(TipiRuote.begin(), types.size(), types.begin());
    return admits(types, w1, w2);
}
