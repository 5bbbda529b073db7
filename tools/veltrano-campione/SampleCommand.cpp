#include "SampleCommand.h"

#include "DrawCalendar.h"
#include "SampleHistory.h"
#include "cli/CommandLineError.h"
#include "io/jet/JetDate.h"
#include "io/jet/JetError.h"
#include "io/storico/DrawArchiveFile.h"

#include <charconv>
#include <optional>
#include <sstream>

namespace {

constexpr const char* usageLine =
    "Uso: veltrano-campione --output PERCORSO [--seed N] [--from DATA] [--to DATA]";
constexpr storico::CalendarDate EarliestDate{1871, 1, 1};

struct SampleOptions {
    bool help = false;
    std::string output;
    std::uint64_t seed = DefaultSampleSeed;
    storico::CalendarDate from = DefaultSampleFrom;
    storico::CalendarDate to = DefaultSampleTo;
};

std::optional<std::uint64_t> parseSeed(const std::string& text) {
    int base = 10;
    std::string_view digits = text;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        base = 16;
        digits.remove_prefix(2);
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

// std::nullopt with what is wrong in `error`.
std::optional<SampleOptions> parseOptions(const std::vector<std::string>& args, std::string& error) {
    SampleOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name != "--output" && name != "-o" && name != "--seed" && name != "--from" && name != "--to") {
            error = unknownOptionError(args[i]);
            return std::nullopt;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                error = missingValueError(name);
                return std::nullopt;
            }
            value = args[++i];
        }
        if (name == "--output" || name == "-o") {
            options.output = *value;
        } else if (name == "--seed") {
            const auto seed = parseSeed(*value);
            if (!seed) {
                error = "Seme non valido: " + *value;
                return std::nullopt;
            }
            options.seed = *seed;
        } else {
            const auto date = storico::CalendarDate::parse(*value);
            if (!date || *date < EarliestDate) {
                error = "Data non valida: " + *value + " (AAAA-MM-GG, dal 1871-01-01)";
                return std::nullopt;
            }
            (name == "--from" ? options.from : options.to) = *date;
        }
    }
    return options;
}

} // namespace

std::string sampleHelpText() {
    std::ostringstream help;
    help
        << usageLine << "\n\n"
        << "Scrive un archivio delle estrazioni sintetico (Dbarcomax.mdb) per provare Veltrano senza lo\n"
           "storico vero. Le estrazioni sono inventate, ma seguono il calendario reale dei giorni di\n"
           "estrazione: sabato fino all'08/03/1997; mercoledì e sabato fino al 18/06/2005; martedì, giovedì\n"
           "e sabato fino al 06/07/2023; poi martedì, giovedì, venerdì e sabato (le festività non sono\n"
           "considerate). Ogni ruota ha cinque numeri diversi da 1 a 90; Cagliari e Genova esistono\n"
           "dall'08/07/1939, la Nazionale dal 04/05/2005. Lo stesso seme dà sempre lo stesso archivio, e i\n"
           "numeri di una data non dipendono dall'intervallo richiesto. L'archivio porta una tabella in\n"
           "più, ArchivioDiEsempio (una riga), da cui Veltrano riconosce le estrazioni inventate.\n\n"
           "  -o, --output PERCORSO  l'archivio da scrivere\n"
           "  --seed N               seme, decimale o esadecimale con 0x (predefinito: 0x"
        << std::hex << DefaultSampleSeed << std::dec << ")\n"
        << "  --from DATA            primo giorno (predefinito: " << DefaultSampleFrom.isoText()
        << "; non prima del 1871-01-01)\n"
        << "  --to DATA              ultimo giorno (predefinito: " << DefaultSampleTo.isoText() << ")\n"
        << "  -h, --help             mostra questo aiuto\n"
        << "  --version              mostra la versione del programma\n\n"
           "Le date si scrivono AAAA-MM-GG (anche con '/' o '.', o con prima il giorno). Un archivio di più\n"
           "di 9.999 estrazioni viene scritto, ma Veltrano rifiuta di caricarlo; il riepilogo lo segnala.\n\n"
           "Uscita: 0 archivio scritto, 1 errore (nessun file scritto), 2 riga di comando errata.\n";
    return help.str();
}

int runSample(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string mistake;
    const auto options = parseOptions(args, mistake);
    if (!options) {
        err << commandLineErrorText("veltrano-campione", mistake);
        return 2;
    }
    if (options->help) {
        out << sampleHelpText();
        return 0;
    }
    if (options->output.empty()) {
        err << commandLineErrorText("veltrano-campione", "--output è obbligatorio");
        return 2;
    }
    if (options->to < options->from) {
        err << commandLineErrorText("veltrano-campione", "--from " + options->from.isoText() +
                                                             " viene dopo --to " + options->to.isoText());
        return 2;
    }

    const auto draws = generateSampleHistory(options->seed, options->from, options->to);
    if (draws.empty()) {
        err << "veltrano-campione: nessun giorno di estrazione tra il " << options->from.isoText() << " e il "
            << options->to.isoText() << ", nessun archivio scritto\n";
        return 1;
    }
    try {
        // Marked in the file, so that the program can say these draws are invented wherever the file goes.
        storico::writeDrawArchiveFile(options->output, draws,
                                      jet::toJetDate(options->to.year, options->to.month, options->to.day),
                                      true);
    } catch (const jet::JetError& error) {
        err << "veltrano-campione: impossibile scrivere " << options->output << ": " << error.what() << "\n";
        return 1;
    }

    int wheelRows = 0;
    for (const auto& draw : draws)
        wheelRows += draw.wheelCount();
    out << options->output << ": " << draws.size()
        << (draws.size() == 1 ? " estrazione sintetica, " : " estrazioni sintetiche, ") << wheelRows
        << (wheelRows == 1 ? " riga di ruota, " : " righe di ruota, ")
        << storico::dateSpanText(draws.front().date, draws.back().date);
    if (draws.size() > static_cast<std::size_t>(storico::ProgramDrawLimit))
        out << "; più di 9.999 estrazioni: Veltrano rifiuterà di caricare questo archivio";
    out << "\n";
    return 0;
}
