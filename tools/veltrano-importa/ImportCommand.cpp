#include "ImportCommand.h"

#include "DrawArchiveFile.h"
#include "DrawHistory.h"
#include "SplitDates.h"
#include "StoricoParser.h"

#include <JetDate.h>
#include <JetError.h>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace storico {

namespace fs = std::filesystem;

namespace {

constexpr const char* usageLine = "Uso: veltrano-importa --output PERCORSO STORICO...";
constexpr const char* moreHelp = "(--help per i dettagli)";

struct ImportOptions {
    bool help = false;
    std::string output;
    std::vector<std::string> inputs;
};

// std::nullopt after printing what is wrong.
std::optional<ImportOptions> parseOptions(const std::vector<std::string>& args, std::ostream& err) {
    ImportOptions options;
    bool onlyInputs = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyInputs || arg.empty() || arg[0] != '-' || arg == "-") {
            options.inputs.push_back(arg);
        } else if (arg == "--") {
            onlyInputs = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--output" || arg == "-o") {
            if (i + 1 >= args.size()) {
                err << "veltrano-importa: " << arg << " vuole un percorso\n";
                return std::nullopt;
            }
            options.output = args[++i];
        } else if (arg.starts_with("--output=")) {
            options.output = arg.substr(9);
        } else {
            err << "veltrano-importa: opzione sconosciuta " << arg << "\n";
            return std::nullopt;
        }
    }
    return options;
}

bool hasTxtExtension(const fs::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".txt";
}

// The files to read, in order: files as given, a folder's *.txt files sorted by name.
bool expandInputs(const std::vector<std::string>& inputs, std::vector<std::string>& files,
                  std::ostream& err) {
    for (const auto& input : inputs) {
        std::error_code error;
        if (fs::is_directory(input, error)) {
            std::vector<std::string> found;
            for (const auto& entry : fs::directory_iterator(input, error))
                if (entry.is_regular_file(error) && hasTxtExtension(entry.path()))
                    found.push_back(entry.path().string());
            if (error) {
                err << "veltrano-importa: impossibile leggere la cartella " << input << ": "
                    << error.message() << "\n";
                return false;
            }
            if (found.empty()) {
                err << "veltrano-importa: nessun file .txt nella cartella " << input << "\n";
                return false;
            }
            std::sort(found.begin(), found.end());
            files.insert(files.end(), found.begin(), found.end());
        } else {
            files.push_back(input);
        }
    }
    return true;
}

std::optional<std::string> readWholeFile(const std::string& path) {
    std::error_code error;
    if (fs::is_directory(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream contents;
    contents << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return contents.str();
}

bool isArchiveFileName(const std::string& path) {
    std::string name = fs::path(path).filename().string();
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name == "dbarcomax.mdb";
}

} // namespace

std::string importHelpText() {
    std::ostringstream help;
    help << usageLine << "\n\n"
         << "Crea l'archivio delle estrazioni Dbarcomax.mdb letto da Veltrano a partire dai file di testo\n"
            "dello \"storico\" del gestore del Lotto, in un unico file o in un file per ruota.\n\n"
            "  -o, --output PERCORSO  l'archivio da scrivere (Veltrano apre solo i file di nome "
            "Dbarcomax.mdb)\n"
            "  STORICO...             file dello storico, o cartelle di cui si leggono tutti i file .txt\n"
            "  -h, --help             mostra questo aiuto\n\n"
            "Formato delle righe: DATA RUOTA n1 n2 n3 n4 n5, per esempio "
            "\"1939/01/07<TAB>BA<TAB>58<TAB>22<TAB>47...\".\n"
            "I campi possono essere separati da tabulazioni, spazi, ';' o ','. Le date possono avere prima\n"
            "l'anno (1939/01/07) o prima il giorno (07/01/1939), con '/', '-' o '.'; i numeri possono avere\n"
            "o no lo zero iniziale. Codici delle ruote: BA CA FI GE MI NA PA TO VE, RM o RO per Roma, RN o "
            "NZ\n"
            "per Nazionale (oppure i nomi per esteso). Si accettano fine riga CRLF o LF, il BOM UTF-8 e le\n"
            "righe vuote. Le righe ripetute identiche contano una volta sola.\n\n"
            "Vengono rifiutati, indicando file e riga: una data non valida, una ruota sconosciuta, un\n"
            "numero fuori da 1-90, un numero ripetuto sulla stessa ruota, più o meno di cinque numeri, due\n"
            "righe diverse per la stessa data e la stessa ruota. Si elencano fino a "
         << MaxListedErrors
         << " errori, poi il loro\n"
            "numero; in quel caso non viene scritto nessun archivio.\n\n"
            "Date sfasate: in alcune vecchie estrazioni una ruota fu estratta un giorno o due prima o dopo\n"
            "le altre. Una data in cui è stata estratta una sola ruota si unisce all'estrazione vicina\n"
            "(quella subito prima o subito dopo, con due o più ruote) che non ha quella ruota e dista al\n"
            "massimo "
         << SplitDateMaxDays
         << " giorni; vince la più vicina, a parità la precedente. L'estrazione mantiene la propria\n"
            "data. Ogni unione viene elencata.\n\n"
            "Si scrive una riga per ogni data di estrazione, in ordine crescente; una ruota non estratta\n"
            "resta vuota (NULL). Un archivio di più di 9.999 estrazioni viene scritto, ma Veltrano rifiuta\n"
            "di caricarlo; il riepilogo lo segnala.\n\n"
            "Uscita: 0 archivio scritto, 1 errore (nessun file scritto), 2 riga di comando errata.\n";
    return help.str();
}

int runImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto options = parseOptions(args, err);
    if (!options) {
        err << usageLine << "\n" << moreHelp << "\n";
        return 2;
    }
    if (options->help) {
        out << importHelpText();
        return 0;
    }
    if (options->output.empty() || options->inputs.empty()) {
        err << "veltrano-importa: "
            << (options->output.empty() ? "--output è obbligatorio" : "manca lo storico da leggere") << "\n"
            << usageLine << "\n"
            << moreHelp << "\n";
        return 2;
    }

    std::vector<std::string> files;
    if (!expandInputs(options->inputs, files, err))
        return 1;

    DrawHistory history;
    std::vector<ImportError> errors;
    for (const auto& file : files) {
        const auto text = readWholeFile(file);
        if (!text) {
            err << "veltrano-importa: impossibile leggere " << file << "\n";
            return 1;
        }
        auto parsed = StoricoParser::parseText(*text, file);
        // Conflicts are reported at the later row, so errors stay in reading order within a file.
        std::size_t nextError = 0;
        for (const auto& row : parsed.rows) {
            while (nextError < parsed.errors.size() && parsed.errors[nextError].place.line < row.place.line)
                errors.push_back(parsed.errors[nextError++]);
            const auto before = history.errors().size();
            history.add(row);
            if (history.errors().size() > before)
                errors.push_back(history.errors().back());
        }
        errors.insert(errors.end(), parsed.errors.begin() + static_cast<long>(nextError),
                      parsed.errors.end());
    }

    if (!errors.empty()) {
        const std::size_t listed = std::min<std::size_t>(errors.size(), MaxListedErrors);
        for (std::size_t i = 0; i < listed; ++i)
            err << errors[i].text() << "\n";
        if (errors.size() > listed)
            err << "... e altri " << errors.size() - listed << "\n";
        err << "veltrano-importa: " << errors.size() << (errors.size() == 1 ? " errore" : " errori")
            << ", nessun archivio scritto\n";
        return 1;
    }

    auto draws = history.draws();
    if (draws.empty()) {
        err << "veltrano-importa: nessuna estrazione nello storico, nessun archivio scritto\n";
        return 1;
    }
    const auto joins = joinSplitDates(draws);
    for (const auto& join : joins)
        out << "data sfasata: " << storicoCode(join.wheel) << " del " << join.lone.storicoText()
            << " unita all'estrazione del " << join.draw.storicoText() << "\n";

    try {
        const auto& last = draws.back().date;
        writeDrawArchiveFile(options->output, draws, jet::toJetDate(last.year, last.month, last.day));
    } catch (const jet::JetError& error) {
        err << "veltrano-importa: impossibile scrivere " << options->output << ": " << error.what() << "\n";
        return 1;
    }

    out << options->output << ": " << draws.size() << (draws.size() == 1 ? " estrazione, " : " estrazioni, ")
        << history.wheelRows() << (history.wheelRows() == 1 ? " riga di ruota, " : " righe di ruota, ")
        << dateSpanText(draws.front().date, draws.back().date);
    if (!joins.empty())
        out << ", " << joins.size() << (joins.size() == 1 ? " data sfasata unita" : " date sfasate unite");
    if (history.duplicateRows() > 0)
        out << ", " << history.duplicateRows()
            << (history.duplicateRows() == 1 ? " riga ripetuta contata una volta"
                                             : " righe ripetute contate una volta");
    if (draws.size() > static_cast<std::size_t>(ProgramDrawLimit))
        out << "; più di 9.999 estrazioni: Veltrano rifiuterà di caricare questo archivio";
    out << "\n";
    if (!isArchiveFileName(options->output))
        out << "nota: Veltrano apre solo gli archivi di nome Dbarcomax.mdb\n";
    return 0;
}

} // namespace storico
