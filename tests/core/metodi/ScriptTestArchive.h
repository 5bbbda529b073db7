#pragma once

#include "ArchiveBuilder.h"
#include "QtPrinting.h"
#include "WheelCodes.h"
#include "core/DrawArchive.h"
#include "core/metodi/ScriptRun.h"

#include <QString>
#include <QStringList>
#include <ostream>
#include <string>

// A giocata as a failing test shows it.
inline void PrintTo(const Giocata& g, std::ostream* os) {
    *os << "{draw " << g.draw << ", colpi " << g.colpi << ", nota "
        << (g.nota ? g.nota->toStdString() : std::string("(none)")) << ",";
    for (const Puntata& p : g.puntate) {
        *os << " [";
        for (int n : p.numeri)
            *os << n << ' ';
        *os << "sorte " << static_cast<int>(p.sorte) << " ruote " << p.ruote << (p.tutte ? " TU" : "")
            << " posta " << p.posta << "]";
    }
    *os << "}";
}

namespace scripttest {

using N = ArchiveBuilder::Numbers;

// Six draws worked by hand:
//   1  30/01/2020 Thu  BA 1 2 3 4 5        CA 10 20 30 40 50
//   2  01/02/2020 Sat  BA 6 7 8 9 10       CA 1 11 21 31 41      RO 90 1 45 46 2
//   3  01/02/2020 Sat  (BA not drawn)      CA 2 3 12 13 14
//   4  04/02/2020 Tue  BA 1 6 60 61 62     CA 95 0 3 20 33 (two damaged cells)   NZ 1 2 3 4 5
//   5  06/02/2020 Thu  BA 70 71 72 73 74   CA 1 2 77 78 79       GE 1 2 3 4 5
//   6  01/03/2021 Mon  BA 2 12 22 32 42
inline void handWorked(DrawArchive& archive) {
    ArchiveBuilder b(archive);
    b.draw({{BA, N{1, 2, 3, 4, 5}}, {CA, N{10, 20, 30, 40, 50}}}, QStringLiteral("30/01/2020"));
    b.draw({{BA, N{6, 7, 8, 9, 10}}, {CA, N{1, 11, 21, 31, 41}}, {RO, N{90, 1, 45, 46, 2}}},
           QStringLiteral("01/02/2020"));
    b.draw({{CA, N{2, 3, 12, 13, 14}}}, QStringLiteral("01/02/2020"));
    b.draw({{BA, N{1, 6, 60, 61, 62}}, {CA, N{95, 0, 3, 20, 33}}, {NZ, N{1, 2, 3, 4, 5}}},
           QStringLiteral("04/02/2020"));
    b.draw({{BA, N{70, 71, 72, 73, 74}}, {CA, N{1, 2, 77, 78, 79}}, {GE, N{1, 2, 3, 4, 5}}},
           QStringLiteral("06/02/2020"));
    b.draw({{BA, N{2, 12, 22, 32, 42}}}, QStringLiteral("01/03/2021"));
    b.finish();
}

// What the script printed, one line per print.
struct Printed {
    ScriptResult result;
    QStringList lines;
};

inline Printed runPrinting(const QString& script, const DrawArchive& archive, ScriptRunOptions options = {}) {
    Printed out;
    options.print = [&out](const QString& line) { out.lines << line; };
    out.result = runScript(script, archive, options);
    return out;
}

} // namespace scripttest
