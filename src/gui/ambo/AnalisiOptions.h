#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class DrawArchive;
struct AmboState;

// The command line of veltrano-analisi: the archive and the parameters the ambo window offers.
struct AnalisiOptions {
    enum class Format { Tsv, Csv };

    QString archivePath;
    std::optional<int> inizio; // DrawIndex; the window's load default when absent
    std::optional<int> fine;
    std::array<bool, 11> ruote{true, true, true, true, true, true, true, true, true, true, true};
    std::array<bool, 5> posizioni{true, true, true, true, true};
    std::array<int, 7> tipi{0, 1, 1, 0, 0, 0, 0}; // as the window's Ch_RuoteTipo boxes
    bool posizioniAdiacenti = false;
    int colpi = 9;
    int casi = 10;
    bool intervallo = false;
    bool ambata = true;
    bool treAmbi = true;
    bool quartina = true;
    bool tutte = true;
    Format formato = Format::Tsv;
    bool help = false;
};

struct AnalisiParse {
    AnalisiOptions options;
    QString error; // empty when the command line is good
};

// Reads the arguments after the program name.
AnalisiParse parseAnalisiOptions(const QStringList& arguments);

// The usage text shown by --help and after a bad option.
QString analisiUsage();

// Puts the range into the state as the window's scroll bars would: the load default first, then the
// bounds asked for, each dragging the other when it passes it. Returns an error text for a bound
// outside 1..DrawCount or a start after the end, both given.
QString applyAnalisiRange(const AnalisiOptions& options, const DrawArchive& archive, AmboState& state);
