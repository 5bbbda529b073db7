#pragma once

#include "cli/TableWriter.h"
#include "core/Collaudo.h"
#include "core/Sweep.h"

#include <QString>

class DrawArchive;

// The back-test as text: tsv or csv (the summary rows, an empty line, one row per colpo, and with the
// case list an empty line and one row per case) or json. "." is the decimal separator.
QString collaudoReport(const CollaudoResult& result, TableFormat format, bool elenco,
                       const DrawArchive& archive);

// The sweep's rows as text: tsv or csv with a header line, or json.
QString sweepReport(const SweepResult& result, TableFormat format);
