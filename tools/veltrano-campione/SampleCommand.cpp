#include "SampleCommand.h"

#include "DrawCalendar.h"
#include "SampleHistory.h"

#include <DrawArchiveFile.h>
#include <JetDate.h>
#include <JetError.h>
#include <charconv>
#include <optional>
#include <sstream>

namespace {

constexpr const char* usageLine =
    "usage: veltrano-campione --output PATH [--seed N] [--from DATE] [--to DATE]";
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

std::string programDate(const storico::CalendarDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.day, date.month, date.year);
    return text;
}

// std::nullopt after printing what is wrong.
std::optional<SampleOptions> parseOptions(const std::vector<std::string>& args, std::ostream& err) {
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
            err << "veltrano-campione: unknown argument " << args[i] << "\n";
            return std::nullopt;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                err << "veltrano-campione: " << name << " needs a value\n";
                return std::nullopt;
            }
            value = args[++i];
        }
        if (name == "--output" || name == "-o") {
            options.output = *value;
        } else if (name == "--seed") {
            const auto seed = parseSeed(*value);
            if (!seed) {
                err << "veltrano-campione: bad seed " << *value << "\n";
                return std::nullopt;
            }
            options.seed = *seed;
        } else {
            const auto date = storico::CalendarDate::parse(*value);
            if (!date || *date < EarliestDate) {
                err << "veltrano-campione: bad date " << *value << " (YYYY-MM-DD, from 1871-01-01)\n";
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
        << "Writes a synthetic sample draw archive (Dbarcomax.mdb) for trying Veltrano without the real\n"
           "history. The draws are made up, but follow the real calendar of draw days: Saturday until\n"
           "08/03/1997; Wednesday and Saturday until 18/06/2005; Tuesday, Thursday and Saturday until\n"
           "06/07/2023; then Tuesday, Thursday, Friday and Saturday (holidays are not modelled). Each wheel\n"
           "gets five distinct numbers 1-90; Cagliari and Genova exist from 08/07/1939, Nazionale from\n"
           "04/05/2005. The same seed always gives the same archive, and a date's numbers do not depend on\n"
           "the range asked for.\n\n"
           "  -o, --output PATH  the archive to write\n"
           "  --seed N           decimal or 0x-hexadecimal, default 0x"
        << std::hex << DefaultSampleSeed << std::dec << "\n"
        << "  --from DATE        first day, default " << DefaultSampleFrom.isoText()
        << " (not before 1871-01-01)\n"
        << "  --to DATE          last day, default " << DefaultSampleTo.isoText() << "\n"
        << "  -h, --help         this text\n\n"
           "Dates are YYYY-MM-DD (also with '/' or '.', or day first). An archive of more than 9,999 draws "
           "is\n"
           "written, but Veltrano refuses to load it; the summary says so.\n\n"
           "Exit codes: 0 archive written, 1 failure (nothing written), 2 bad command line.\n";
    return help.str();
}

int runSample(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto options = parseOptions(args, err);
    if (!options) {
        err << usageLine << "\n(--help for more)\n";
        return 2;
    }
    if (options->help) {
        out << sampleHelpText();
        return 0;
    }
    if (options->output.empty()) {
        err << "veltrano-campione: --output is required\n" << usageLine << "\n(--help for more)\n";
        return 2;
    }
    if (options->to < options->from) {
        err << "veltrano-campione: --from " << options->from.isoText() << " is after --to "
            << options->to.isoText() << "\n"
            << usageLine << "\n(--help for more)\n";
        return 2;
    }

    const auto draws = generateSampleHistory(options->seed, options->from, options->to);
    if (draws.empty()) {
        err << "veltrano-campione: no draw day between " << options->from.isoText() << " and "
            << options->to.isoText() << ", no archive written\n";
        return 1;
    }
    try {
        storico::writeDrawArchiveFile(options->output, draws,
                                      jet::toJetDate(options->to.year, options->to.month, options->to.day));
    } catch (const jet::JetError& error) {
        err << "veltrano-campione: cannot write " << options->output << ": " << error.what() << "\n";
        return 1;
    }

    int wheelRows = 0;
    for (const auto& draw : draws)
        wheelRows += draw.wheelCount();
    out << options->output << ": " << draws.size() << " synthetic draws, " << wheelRows << " wheel rows, "
        << programDate(draws.front().date) << " to " << programDate(draws.back().date);
    if (draws.size() > static_cast<std::size_t>(storico::ProgramDrawLimit))
        out << "; more than 9,999 draws: Veltrano will refuse to load this archive";
    out << "\n";
    return 0;
}
