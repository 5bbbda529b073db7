#pragma once

#include "io/jet/ArchiveQuery.h"
#include "io/jet/JetError.h"

#include <chrono>
#include <string>
#include <vector>

// Runs a query through the real reader helper program and keeps everything the callbacks saw.
struct ReaderRun {
    int started = -1;
    std::vector<std::vector<jet::QueryField>> rows;
    std::string error; // empty when the query succeeded
    std::chrono::steady_clock::duration elapsed{};

    static std::string readerProgram() { return VELTRANO_PROGRAM_DIR "/veltrano-lettore"; }

    static ReaderRun of(const std::string& database, const std::string& sql,
                        std::chrono::milliseconds silence = std::chrono::seconds(10)) {
        ReaderRun run;
        jet::QueryCallbacks callbacks;
        callbacks.started = [&run](int count) { run.started = count; };
        callbacks.row = [&run](const std::vector<jet::QueryField>& row) { run.rows.push_back(row); };
        const auto start = std::chrono::steady_clock::now();
        try {
            jet::runArchiveQuery(readerProgram(), database, sql, callbacks, silence);
        } catch (const jet::JetError& error) {
            run.error = error.what();
            if (run.error.empty())
                run.error = "(JetError without a message)";
        }
        run.elapsed = std::chrono::steady_clock::now() - start;
        return run;
    }

    std::vector<std::string> column(std::size_t index) const {
        std::vector<std::string> values;
        for (const auto& row : rows)
            values.push_back(row.at(index).isNull ? "<NULL>" : row.at(index).text);
        return values;
    }
};

// Days from 1899-12-30, the zero of Access dates, to a civil date (proleptic Gregorian).
inline double accessDays(int year, int month, int day) {
    const auto daysFromCivil = [](int y, int m, int d) {
        y -= m <= 2;
        const int era = (y >= 0 ? y : y - 399) / 400;
        const int yoe = y - era * 400;
        const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
        const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + doe;
    };
    return daysFromCivil(year, month, day) - daysFromCivil(1899, 12, 30);
}
