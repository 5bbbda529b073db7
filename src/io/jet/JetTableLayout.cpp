#include "io/jet/JetTableLayout.h"

namespace jet {

void numberColumns(std::vector<JetColumnLayout>& columns) {
    std::uint16_t fixedOffset = 0;
    std::uint16_t varIndex = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        auto& c = columns[i];
        c.number = static_cast<std::uint16_t>(i);
        if (c.fixed) {
            c.fixedOffset = fixedOffset;
            fixedOffset = static_cast<std::uint16_t>(fixedOffset + c.length);
        } else {
            c.varIndex = varIndex++;
        }
    }
}

} // namespace jet
