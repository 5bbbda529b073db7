#include "cli/CommandLineError.h"
#include "core/ProgramVersion.h"
#include "io/ProgramDatabaseTemplate.h"
#include "io/jet/JetDate.h"
#include "io/jet/JetError.h"

#include <algorithm>
#include <ctime>
#include <iostream>
#include <string>

namespace {

constexpr int kOk = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

const char* const kUsageText =
    "Uso: veltrano-crea-db --archivio PERCORSO --output PERCORSO\n"
    "\n"
    "Crea il database del programma (DbVeltrano.mdb), protetto dalla password del programma.\n"
    "\n"
    "  --archivio PERCORSO  percorso dell'archivio delle estrazioni (Dbarcomax.mdb) da registrare\n"
    "                       nel parametro PercorsoArchivio\n"
    "  --output PERCORSO    file da creare; se esiste viene sostituito\n"
    "  --help               mostra questo aiuto\n"
    "  --version            mostra la versione del programma\n";

int usageError(const std::string& message) {
    std::cerr << commandLineErrorText("veltrano-crea-db", message);
    return kUsage;
}

double nowAsJetDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return jet::toJetDate(jet::CivilDateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                             local.tm_hour, local.tm_min, std::min(local.tm_sec, 59)});
}

} // namespace

int main(int argc, char** argv) {
    if (answerVersion(argc, argv, "veltrano-crea-db"))
        return kOk;
    std::string archive;
    std::string output;
    bool haveArchive = false;
    bool haveOutput = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsageText;
            return kOk;
        }
        if (arg == "--archivio" || arg == "--output") {
            if (i + 1 >= argc)
                return usageError(missingValueError(arg));
            const std::string value = argv[++i];
            if (value.empty())
                return usageError("Il valore di " + arg + " è vuoto");
            if (arg == "--archivio") {
                archive = value;
                haveArchive = true;
            } else {
                output = value;
                haveOutput = true;
            }
            continue;
        }
        return usageError(unknownOptionError(arg));
    }
    if (!haveArchive)
        return usageError("Manca --archivio");
    if (!haveOutput)
        return usageError("Manca --output");
    try {
        jet::writeJetDatabase(output, programDatabaseTemplate(archive, nowAsJetDate()));
    } catch (const jet::JetError& e) {
        std::cerr << "veltrano-crea-db: " << e.what() << "\n";
        return kFailure;
    }
    return kOk;
}
