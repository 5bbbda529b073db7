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

constexpr const char* usageLine = "usage: veltrano-importa --output PATH INPUT...";

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
                err << "veltrano-importa: " << arg << " needs a path\n";
                return std::nullopt;
            }
            options.output = args[++i];
        } else if (arg.starts_with("--output=")) {
            options.output = arg.substr(9);
        } else {
            err << "veltrano-importa: unknown option " << arg << "\n";
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
                err << "veltrano-importa: cannot read folder " << input << ": " << error.message() << "\n";
                return false;
            }
            if (found.empty()) {
                err << "veltrano-importa: no .txt files in folder " << input << "\n";
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

std::string programDate(const CalendarDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.day, date.month, date.year);
    return text;
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
        << "Builds the draw archive Dbarcomax.mdb that Veltrano reads from the Lotto operator's \"storico\"\n"
           "text files, one combined file or one file per wheel.\n\n"
           "  -o, --output PATH  the archive to write (Veltrano opens only files named Dbarcomax.mdb)\n"
           "  INPUT...           storico files, or folders whose .txt files are all read\n"
           "  -h, --help         this text\n\n"
           "Input lines: DATE CODE n1 n2 n3 n4 n5, for example "
           "\"1939/01/07<TAB>BA<TAB>58<TAB>22<TAB>47...\".\n"
           "Fields may be separated by tabs, blanks, ';' or ','. Dates may be year first (1939/01/07) or "
           "day\n"
           "first (07/01/1939), with '/', '-' or '.'; numbers with or without zero padding. Wheel codes:\n"
           "BA CA FI GE MI NA PA TO VE, RM or RO for Roma, RN or NZ for Nazionale (or the full names).\n"
           "CRLF or LF line ends, a UTF-8 byte order mark and blank lines are accepted. Rows repeated\n"
           "identically count once.\n\n"
           "Refused, with file and line: a bad date, an unknown wheel, a number that is not 1-90, a number\n"
           "repeated within a wheel, other than five numbers, two different rows for the same date and "
           "wheel.\n"
           "Up to "
        << MaxListedErrors
        << " errors are listed, then their count; no archive is written then.\n\n"
           "Split dates: on a few old dates one wheel was drawn a day or two apart from the others. A date "
           "on\n"
           "which only one wheel was drawn joins the neighbouring draw (the one just before or just after\n"
           "it, with two or more wheels) that lacks that wheel and lies at most "
        << SplitDateMaxDays
        << " days away;\n"
           "the nearer one wins, the earlier one on a tie. The draw keeps its own date. Every join is "
           "listed.\n\n"
           "One row is written per draw date, in ascending order; a wheel not drawn is left empty (NULL).\n"
           "An archive of more than 9,999 draws is written, but Veltrano refuses to load it; the summary\n"
           "says so.\n\n"
           "Exit codes: 0 archive written, 1 failure (nothing written), 2 bad command line.\n";
    return help.str();
}

int runImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto options = parseOptions(args, err);
    if (!options) {
        err << usageLine << "\n(--help for more)\n";
        return 2;
    }
    if (options->help) {
        out << importHelpText();
        return 0;
    }
    if (options->output.empty() || options->inputs.empty()) {
        err << "veltrano-importa: " << (options->output.empty() ? "--output is required" : "no input given")
            << "\n"
            << usageLine << "\n(--help for more)\n";
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
            err << "veltrano-importa: cannot read " << file << "\n";
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
            err << "... and " << errors.size() - listed << " more\n";
        err << "veltrano-importa: " << errors.size() << (errors.size() == 1 ? " error" : " errors")
            << ", no archive written\n";
        return 1;
    }

    auto draws = history.draws();
    if (draws.empty()) {
        err << "veltrano-importa: no draws in the input, no archive written\n";
        return 1;
    }
    const auto joins = joinSplitDates(draws);
    for (const auto& join : joins)
        out << "split date: " << storicoCode(join.wheel) << " of " << join.lone.storicoText()
            << " joined the draw of " << join.draw.storicoText() << "\n";

    try {
        const auto& last = draws.back().date;
        writeDrawArchiveFile(options->output, draws, jet::toJetDate(last.year, last.month, last.day));
    } catch (const jet::JetError& error) {
        err << "veltrano-importa: cannot write " << options->output << ": " << error.what() << "\n";
        return 1;
    }

    out << options->output << ": " << draws.size() << " draws, " << history.wheelRows() << " wheel rows, "
        << programDate(draws.front().date) << " to " << programDate(draws.back().date);
    if (!joins.empty())
        out << ", " << joins.size() << " split " << (joins.size() == 1 ? "date" : "dates") << " joined";
    if (history.duplicateRows() > 0)
        out << ", " << history.duplicateRows() << " repeated "
            << (history.duplicateRows() == 1 ? "row" : "rows") << " counted once";
    if (draws.size() > static_cast<std::size_t>(ProgramDrawLimit))
        out << "; more than 9,999 draws: Veltrano will refuse to load this archive";
    out << "\n";
    if (!isArchiveFileName(options->output))
        out << "note: Veltrano opens only archives named Dbarcomax.mdb\n";
    return 0;
}

} // namespace storico
