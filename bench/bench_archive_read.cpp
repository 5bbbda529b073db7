// Reading a full-size draw archive (9,999 draws) through the reader helper program, next to mdb-export
// reading the same file in the same run: the cost of the separate process and the line protocol; and
// veltrano-analisi end to end on the same file.

#include "io/jet/ArchiveQuery.h"
#include "io/jet/JetDate.h"
#include "io/jet/JetWriter.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int kDraws = 9999;

const std::string kQuery = "SELECT EstrazioniLotto.DataEstrazione, EstrazioniLotto.Ba, EstrazioniLotto.Ca, "
                           "EstrazioniLotto.Fi, EstrazioniLotto.Ge, EstrazioniLotto.Mi, EstrazioniLotto.Na, "
                           "EstrazioniLotto.Pa, EstrazioniLotto.Ro, EstrazioniLotto.To, EstrazioniLotto.Ve, "
                           "EstrazioniLotto.Nz From EstrazioniLotto ORDER BY EstrazioniLotto.DataEstrazione";

std::string wheelCell(std::mt19937& random) {
    std::vector<int> numbers;
    while (numbers.size() < 5) {
        const int n = 1 + static_cast<int>(random() % 90);
        if (std::find(numbers.begin(), numbers.end(), n) == numbers.end())
            numbers.push_back(n);
    }
    char text[16];
    std::snprintf(text, sizeof text, "%02d %02d %02d %02d %02d", numbers[0], numbers[1], numbers[2],
                  numbers[3], numbers[4]);
    return text;
}

// Made once per run in a temporary folder, removed at exit.
class BenchArchive {
public:
    static const std::string& path() {
        static BenchArchive archive;
        return archive.m_path;
    }

private:
    BenchArchive() {
        char folder[] = "/tmp/veltrano-bench-XXXXXX";
        if (!mkdtemp(folder)) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        m_dir = folder;
        m_path = m_dir + "/Dbarcomax.mdb";

        jet::TableSpec table;
        table.name = "EstrazioniLotto";
        table.columns.push_back({"DataEstrazione", jet::ColumnType::DateTime, 0});
        for (const char* wheel : {"Ba", "Ca", "Fi", "Ge", "Mi", "Na", "Pa", "Ro", "To", "Ve", "Nz"})
            table.columns.push_back({wheel, jet::ColumnType::Text, 14});
        std::mt19937 random(1871);
        const double first = jet::toJetDate(1871, 1, 7);
        for (int i = 0; i < kDraws; ++i) {
            std::vector<jet::Value> row;
            row.push_back(jet::JetDateValue{first + 3.0 * i + (i % 2)});
            for (int w = 0; w < 11; ++w)
                row.push_back(wheelCell(random));
            table.rows.push_back(std::move(row));
        }
        jet::DatabaseSpec spec;
        spec.creationDate = jet::toJetDate(2024, 1, 1);
        spec.tables.push_back(std::move(table));
        jet::writeJetDatabase(m_path, spec);
    }
    ~BenchArchive() { std::filesystem::remove_all(m_dir); }

    std::string m_dir;
    std::string m_path;
};

void BM_ReaderHelper(benchmark::State& state) {
    const std::string reader = VELTRANO_PROGRAM_DIR "/veltrano-lettore";
    const std::string& archive = BenchArchive::path();
    long long rows = 0;
    for (auto _ : state) {
        int seen = 0;
        jet::QueryCallbacks callbacks;
        callbacks.row = [&seen](const std::vector<jet::QueryField>& row) {
            benchmark::DoNotOptimize(row.data());
            ++seen;
        };
        try {
            jet::runArchiveQuery(reader, archive, kQuery, callbacks);
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
            return;
        }
        if (seen != kDraws) {
            state.SkipWithError("wrong number of rows");
            return;
        }
        rows += seen;
    }
    state.counters["rows"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReaderHelper)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// Runs a program with its output read through a pipe; returns the number of lines it wrote, or -1 when
// it could not start or did not end well.
long long linesOfProgram(std::vector<std::string> arguments) {
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (error != 0) {
        close(fds[0]);
        return -1;
    }
    char buffer[1 << 16];
    long long lines = 0;
    for (;;) {
        const ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        for (ssize_t i = 0; i < got; ++i)
            lines += buffer[i] == '\n';
    }
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? lines : -1;
}

// mdb-export of the same table, its CSV read through a pipe as the reader's output is.
void BM_MdbExport(benchmark::State& state) {
    long long rows = 0;
    for (auto _ : state) {
        const long long lines = linesOfProgram({"mdb-export", BenchArchive::path(), "EstrazioniLotto"});
        if (lines != kDraws + 1) {
            state.SkipWithError("mdb-export failed or gave the wrong number of lines");
            return;
        }
        rows += lines - 1;
    }
    state.counters["rows"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MdbExport)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// The whole batch analysis of one case, end to end: starting the tool, loading the archive through the
// reader helper, the search and the report.
void BM_AnalisiOneCase(benchmark::State& state) {
    for (auto _ : state) {
        const long long lines =
            linesOfProgram({VELTRANO_PROGRAM_DIR "/veltrano-analisi", "--casi", "1", BenchArchive::path()});
        if (lines <= 0) {
            state.SkipWithError("veltrano-analisi failed");
            return;
        }
    }
}
BENCHMARK(BM_AnalisiOneCase)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// Prints the usual table, then how many times slower than mdb-export the helper and the analysis are.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // How many times slower than mdb-export the reader helper and the whole analysis are.
    void printRatios() const {
        const auto exporter = find("BM_MdbExport");
        for (const char* name : {"BM_ReaderHelper", "BM_AnalisiOneCase"}) {
            const auto other = find(name);
            if (other == m_times.end() || exporter == m_times.end() || exporter->second <= 0) {
                std::printf("%s / mdb-export: not available (one of the two did not run)\n", name);
                continue;
            }
            std::printf("%s %.2f ms, mdb-export %.2f ms, ratio %.2f\n", name, other->second, exporter->second,
                        other->second / exporter->second);
        }
    }

private:
    std::map<std::string, double>::const_iterator find(const std::string& prefix) const {
        return std::find_if(m_times.begin(), m_times.end(),
                            [&prefix](const auto& entry) { return entry.first.starts_with(prefix); });
    }

    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    BenchArchive::path();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
