#include "cli/ImportCommand.h"

#include "cli/CommandLineError.h"
#include "io/ProgramFolders.h"
#include "io/storico/ArchiveDraws.h"
#include "io/storico/ArchiveMerge.h"
#include "io/storico/ArchiveReplace.h"
#include "io/storico/DrawArchiveFile.h"
#include "io/storico/HistoryReading.h"
#include "io/storico/ShownText.h"
#include "io/storico/StoricoError.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <sstream>
#include <unistd.h>

namespace storico {

namespace fs = std::filesystem;

namespace {

constexpr const char* usageLine = "Uso: veltrano-importa --output PERCORSO [--sostituisci] STORICO...\n"
                                  "     veltrano-importa --aggiorna ARCHIVIO [--prova] STORICO...";

struct ImportOptions {
    bool help = false;
    bool dryRun = false;
    bool replace = false; // --output may replace an existing file
    std::string output;
    std::string update;
    std::vector<std::string> inputs;
};

// An option that names one path, refused when given twice as the other tools refuse a repeated option.
bool setPathOnce(const char* option, std::string& path, const std::string& value, std::string& error) {
    if (path.empty() && !value.empty()) {
        path = value;
        return true;
    }
    error = std::string(option) + (path.empty() ? " vuole un percorso" : " indicata più volte");
    return false;
}

// std::nullopt with what is wrong in `error`.
std::optional<ImportOptions> parseOptions(const std::vector<std::string>& args, std::string& error) {
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
        } else if (arg == "--prova") {
            options.dryRun = true;
        } else if (arg == "--sostituisci") {
            options.replace = true;
        } else if (arg == "--output" || arg == "-o" || arg == "--aggiorna") {
            if (i + 1 >= args.size()) {
                error = missingValueError(arg);
                return std::nullopt;
            }
            if (!setPathOnce(arg == "--aggiorna" ? "--aggiorna" : "--output",
                             arg == "--aggiorna" ? options.update : options.output, args[++i], error))
                return std::nullopt;
        } else if (arg.starts_with("--output=")) {
            if (!setPathOnce("--output", options.output, arg.substr(9), error))
                return std::nullopt;
        } else if (arg.starts_with("--aggiorna=")) {
            if (!setPathOnce("--aggiorna", options.update, arg.substr(11), error))
                return std::nullopt;
        } else {
            error = unknownOptionError(arg);
            return std::nullopt;
        }
    }
    return options;
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
    help
        << usageLine << "\n\n"
        << "Crea l'archivio delle estrazioni Dbarcomax.mdb letto da Veltrano a partire dai file di testo\n"
           "dello \"storico\" del gestore del Lotto, in un unico file o in un file per ruota.\n\n"
           "  -o, --output PERCORSO  l'archivio da scrivere (Veltrano apre solo i file di nome "
           "Dbarcomax.mdb)\n"
           "  --sostituisci          con --output, sostituisce un file che esiste già; il precedente resta\n"
           "                         accanto come copia .bak, come nell'aggiornamento\n"
           "  --aggiorna ARCHIVIO    aggiunge all'archivio esistente le estrazioni nuove dello storico\n"
           "  --prova                mostra il riepilogo senza scrivere nulla\n"
           "  STORICO...             file dello storico, cartelle di cui si leggono tutti i file .txt, o zip\n"
           "                         con dentro i file di testo (uno solo o uno per ruota), letti insieme\n"
           "  -h, --help             mostra questo aiuto\n"
           "  --version              mostra la versione del programma\n\n"
           "Aggiornamento: le estrazioni che mancano all'archivio vengono aggiunte, una ruota mancante "
           "viene\n"
           "completata, una ruota con numeri diversi è una correzione (elencata con i numeri vecchi e i\n"
           "nuovi); le estrazioni presenti solo nell'archivio restano e vengono elencate. Il file nuovo "
           "viene\n"
           "scritto accanto all'archivio, riletto e confrontato, e solo allora prende il suo posto; il\n"
           "vecchio resta accanto come Dbarcomax.AAAAMMGG-hhmmss.bak (si tengono gli ultimi "
        << KeptBackups
        << "). Un archivio con\n"
           "altre tabelle o altre colonne viene rifiutato, come l'archivio di esempio: usare --output.\n"
           "Se non c'è niente da aggiungere né da correggere, l'archivio non viene toccato.\n\n"
           "Formato delle righe: DATA RUOTA n1 n2 n3 n4 n5, per esempio "
           "\"1939/01/07<TAB>BA<TAB>58<TAB>22<TAB>47...\".\n"
           "I campi possono essere separati da tabulazioni, spazi, ';' o ','. Le date possono avere prima\n"
           "l'anno (1939/01/07) o prima il giorno (07/01/1939), con '/', '-' o '.'; i numeri possono avere\n"
           "o no lo zero iniziale. Codici delle ruote: BA CA FI GE MI NA PA TO VE, RM o RO per Roma, RN o "
           "NZ\n"
           "per Nazionale (oppure i nomi per esteso). Si accettano fine riga CRLF o LF, il BOM UTF-8 e le\n"
           "righe vuote. Le righe ripetute identiche contano una volta sola.\n\n"
           "Si leggono solo file regolari (non dispositivi né pipe); i file dello zip si leggono in memoria,\n"
           "senza estrarli. Un file o un file dello zip, e lo storico in tutto, possono misurare al massimo\n"
        << (MaxHistoryBytes >> 20) << " MiB, una riga al massimo " << italianCount(MaxHistoryLineBytes)
        << " byte: oltre, lo storico viene rifiutato dicendo quale limite\n"
           "supera, prima di leggerlo o estrarlo quando lo zip ne dichiara la misura.\n\n"
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
           "Un file che esiste già non viene mai sostituito senza --sostituisci: senza, il comando si ferma\n"
           "prima di leggere lo storico e suggerisce --aggiorna; nemmeno uno comparso durante la scrittura.\n"
           "Un collegamento simbolico al posto dell'archivio viene rifiutato, con --output come con\n"
           "--aggiorna: l'archivio e le sue copie .bak si scrivono come file nella cartella indicata.\n\n"
           "Uscita: 0 archivio scritto (o niente da fare, o --prova), 1 errore o file che esiste già "
           "(nessun\n"
           "file scritto), 2 riga di comando errata.\n";
    return help.str();
}

namespace {

std::string defaultReaderProgram() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string("veltrano-lettore")
                 : readerProgramFor(QString::fromStdString(self.parent_path().string())).toStdString();
}

// The history read and checked; std::nullopt after printing what is wrong.
std::optional<HistoryReading> readCheckedHistory(const std::vector<std::string>& inputs, std::ostream& err,
                                                 const char* nothingWritten) {
    HistoryReading reading;
    try {
        reading = readHistory(readHistoryInputs(inputs));
    } catch (const StoricoError& error) {
        err << "veltrano-importa: " << error.what() << "\n";
        return std::nullopt;
    }
    const auto& errors = reading.errors;
    if (!errors.empty()) {
        for (const auto& line : errorReportLines(errors, reading.errorCount))
            err << line << "\n";
        err << "veltrano-importa: " << errors.size() << (errors.size() == 1 ? " errore" : " errori") << ", "
            << nothingWritten << "\n";
        return std::nullopt;
    }
    if (reading.draws.empty()) {
        err << "veltrano-importa: nessuna estrazione nello storico, " << nothingWritten << "\n";
        return std::nullopt;
    }
    return reading;
}

std::string readerProgram(const ImportEnvironment& environment) {
    return environment.readerProgram.empty() ? defaultReaderProgram() : environment.readerProgram;
}

std::time_t now(const ImportEnvironment& environment) {
    return environment.now ? environment.now() : std::time(nullptr);
}

// A folder is left to the write, which fails on it with its own reason.
bool fileExists(const std::string& path) {
    std::error_code error;
    return fs::exists(path, error) && !fs::is_directory(path, error);
}

int createArchive(const ImportOptions& options, std::ostream& out, std::ostream& err,
                  const ImportEnvironment& environment) {
    // A typing slip in --output must not cost an archive: replacing one is asked for by name.
    const bool replacing = fileExists(options.output);
    if (replacing && !options.replace) {
        err << "veltrano-importa: Il file " << options.output << " esiste già: non viene sostituito.\n"
            << "Per aggiungervi le estrazioni nuove usare --aggiorna " << options.output
            << "; per sostituirlo, tenendo il precedente accanto come copia .bak, aggiungere "
               "--sostituisci.\n";
        return 1;
    }
    const auto reading = readCheckedHistory(options.inputs, err, "nessun archivio scritto");
    if (!reading)
        return 1;
    const auto& draws = reading->draws;
    for (const auto& join : reading->joins)
        out << "Data sfasata: " << wheelCode(join.wheel) << " del " << join.lone.storicoText()
            << " unita all'estrazione del " << join.draw.storicoText() << "\n";

    std::string backup;
    if (!options.dryRun && replacing) {
        try {
            backup = replaceDrawArchive(options.output, draws, readerProgram(environment), now(environment))
                         .backup;
        } catch (const StoricoError& error) {
            err << "veltrano-importa: " << error.what() << "\n";
            return 1;
        }
    } else if (!options.dryRun) {
        // The name was free when the command started; a file that appeared there since is not replaced.
        try {
            writeNewDrawArchive(options.output, draws);
        } catch (const StoricoError& error) {
            err << "veltrano-importa: " << error.what() << "\n";
            return 1;
        }
    }

    out << options.output << ": " << draws.size() << (draws.size() == 1 ? " estrazione, " : " estrazioni, ")
        << reading->wheelRows << (reading->wheelRows == 1 ? " riga di ruota, " : " righe di ruota, ")
        << dateSpanText(draws.front().date, draws.back().date);
    if (!reading->joins.empty())
        out << ", " << reading->joins.size()
            << (reading->joins.size() == 1 ? " data sfasata unita" : " date sfasate unite");
    if (reading->duplicateRows > 0)
        out << ", " << reading->duplicateRows
            << (reading->duplicateRows == 1 ? " riga ripetuta contata una volta"
                                            : " righe ripetute contate una volta");
    if (draws.size() > static_cast<std::size_t>(ProgramDrawLimit))
        out << "; più di 9.999 estrazioni: Veltrano rifiuterà di caricare questo archivio";
    out << "\n";
    if (!backup.empty())
        out << "Archivio sostituito; copia del precedente in " << backup << "\n";
    if (options.dryRun)
        out << "Prova: nessun file scritto\n";
    if (!isArchiveFileName(options.output))
        out << "Nota: Veltrano apre solo gli archivi di nome Dbarcomax.mdb\n";
    return 0;
}

int updateArchive(const ImportOptions& options, std::ostream& out, std::ostream& err,
                  const ImportEnvironment& environment) {
    const auto reading = readCheckedHistory(options.inputs, err, "archivio non modificato");
    if (!reading)
        return 1;
    const std::string reader = readerProgram(environment);
    ArchiveMerge merge;
    try {
        // The draws first: a damaged archive is named as such before anything else is said of it.
        std::vector<Draw> archiveDraws = readArchiveDraws(reader, options.update);
        checkArchiveHoldsOnlyDraws(options.update);
        merge = mergeHistory(archiveDraws, reading->datedDraws);
    } catch (const StoricoError& error) {
        err << "veltrano-importa: " << error.what() << "\n";
        return 1;
    }

    out << options.update << ": " << drawCountText(merge.archiveDraws) << " in archivio; storico "
        << drawCountText(static_cast<long long>(reading->draws.size())) << ", "
        << dateSpanText(reading->draws.front().date, reading->draws.back().date) << "\n";
    for (const auto& line : mergeReportLines(merge))
        out << line << "\n";
    if (!merge.changesArchive()) {
        out << "Niente da aggiungere e niente da correggere: archivio non modificato\n";
        return 0;
    }
    if (options.dryRun) {
        out << "Prova: nessun file scritto\n";
        return 0;
    }
    try {
        const auto replacement = replaceDrawArchive(options.update, merge.draws, reader, now(environment));
        out << "Archivio aggiornato";
        if (!replacement.backup.empty())
            out << "; copia del precedente in " << replacement.backup;
        out << "\n";
    } catch (const StoricoError& error) {
        err << "veltrano-importa: " << error.what() << "\n";
        return 1;
    }
    return 0;
}

// What the command prints, line by line as a terminal can show it: paths and file names are bytes the
// user gave, not always UTF-8 (io/storico/ShownText.h).
void printShown(const std::string& text, std::ostream& stream) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        stream << shownText(std::string_view(text).substr(start, end - start));
        if (end < text.size())
            stream << '\n';
        start = end + 1;
    }
}

int runImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     const ImportEnvironment& environment) {
    std::string mistake;
    const auto options = parseOptions(args, mistake);
    if (!options) {
        err << commandLineErrorText("veltrano-importa", mistake);
        return 2;
    }
    if (options->help) {
        out << importHelpText();
        return 0;
    }
    const char* problem = nullptr;
    if (!options->output.empty() && !options->update.empty())
        problem = "--output e --aggiorna non vanno insieme";
    else if (options->replace && options->output.empty())
        problem = "--sostituisci vale solo con --output";
    else if (options->output.empty() && options->update.empty())
        problem = "--output o --aggiorna è obbligatorio";
    else if (options->inputs.empty())
        problem = "manca lo storico da leggere";
    if (problem) {
        err << commandLineErrorText("veltrano-importa", problem);
        return 2;
    }
    return options->update.empty() ? createArchive(*options, out, err, environment)
                                   : updateArchive(*options, out, err, environment);
}

} // namespace

int runImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const ImportEnvironment& environment) {
    std::ostringstream printed, errors;
    const int code = runImportCommand(args, printed, errors, environment);
    printShown(printed.str(), out);
    printShown(errors.str(), err);
    return code;
}

} // namespace storico
