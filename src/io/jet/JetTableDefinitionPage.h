#pragma once

#include "io/jet/JetBytes.h"
#include "io/jet/JetTableLayout.h"

namespace jet {

// The table definition page (type 0x02) of a table: header, per-index row counts, column descriptors
// and names, physical and logical index entries, index names, long-value maps, FF FF. Throws JetError
// when it would not fit one page.
Bytes buildTableDefinitionPage(const JetTableLayout& table);

} // namespace jet
