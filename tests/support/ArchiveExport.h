#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <string>
#include <vector>

// Reads a draw archive back through mdbtools' own command-line export, independently of our writer.
namespace archive_export {

struct ExportedRow {
    std::string date; // yyyy/mm/dd
    std::array<std::optional<std::string>, 11> cells;
};

struct Export {
    bool ok = false;
    std::string error;
    std::vector<std::string> header;
    std::vector<ExportedRow> rows;
};

inline QString mdbExportProgram() {
    return QStandardPaths::findExecutable("mdb-export");
}

inline std::vector<std::string> splitOn(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (true) {
        const auto next = text.find(separator, start);
        parts.push_back(text.substr(start, next == std::string::npos ? std::string::npos : next - start));
        if (next == std::string::npos)
            return parts;
        start = next + 1;
    }
}

// NULL cells come out as the marker "<null>", so that an empty text would still be told apart.
inline Export exportArchive(const QString& path) {
    Export result;
    QProcess process;
    process.start(mdbExportProgram(), {"-d", "|", "-Q", "-0", "<null>", "-D", "%Y/%m/%d", "-T", "%Y/%m/%d",
                                       path, "EstrazioniLotto"});
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        result.error = "mdb-export failed: " + process.readAllStandardError().toStdString();
        return result;
    }
    const auto lines = splitOn(process.readAllStandardOutput().toStdString(), '\n');
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty())
            continue;
        const auto fields = splitOn(lines[i], '|');
        if (i == 0) {
            result.header = fields;
            continue;
        }
        if (fields.size() != 12) {
            result.error = "row with " + std::to_string(fields.size()) + " fields: " + lines[i];
            return result;
        }
        ExportedRow row;
        row.date = fields[0];
        for (std::size_t w = 0; w < 11; ++w)
            if (fields[w + 1] != "<null>")
                row.cells[w] = fields[w + 1];
        result.rows.push_back(row);
    }
    result.ok = true;
    return result;
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The storico line a cell stands for: "yyyy/mm/dd<TAB>CODE<TAB>n1..<TAB>n5", numbers without padding.
inline std::string storicoLine(const std::string& date, const std::string& code, const std::string& cell) {
    std::string line = date + "\t" + code;
    for (const auto& field : splitOn(cell, ' '))
        line += "\t" + std::to_string(std::stoi(field));
    return line;
}

inline const std::array<const char*, 11>& storicoCodes() {
    static const std::array<const char*, 11> codes{"BA", "CA", "FI", "GE", "MI", "NA",
                                                   "PA", "RM", "TO", "VE", "RN"};
    return codes;
}

} // namespace archive_export
