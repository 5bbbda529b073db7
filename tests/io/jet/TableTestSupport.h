#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tabletest {

// The password the table tests give their databases.
inline const std::string kPassword = "Segreta1";

// A little-endian 16-bit value of a file's bytes.
inline std::uint16_t u16At(const QByteArray& bytes, qsizetype offset) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[offset]) |
                                      (static_cast<std::uint8_t>(bytes[offset + 1]) << 8));
}

inline QString samplePath(const char* name) {
    return QString(VELTRANO_SHARED_DIR "/mdb-samples/") + name;
}

inline bool samplesPresent() {
    return QFile::exists(samplePath("V2000_with-password.mdb")) &&
           QFile::exists(samplePath("V2000_test.mdb"));
}

// A writable copy of a file in the temporary folder; tests never change the originals.
inline std::string copyInto(const QTemporaryDir& dir, const QString& source, const QString& name) {
    const QString target = dir.filePath(name);
    QFile::remove(target);
    if (!QFile::copy(source, target)) {
        return {};
    }
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target.toStdString();
}

inline QByteArray fileBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

inline void writeBytes(const std::string& path, const QByteArray& bytes) {
    QFile file(QString::fromStdString(path));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
    }
}

// Numbers of the 4096-byte pages that differ between two versions of a file of the same size.
inline std::set<int> changedPages(const QByteArray& before, const QByteArray& after) {
    std::set<int> pages;
    const qsizetype size = std::max(before.size(), after.size());
    for (qsizetype i = 0; i < size; ++i) {
        if (i >= before.size() || i >= after.size() || before[i] != after[i]) {
            pages.insert(static_cast<int>(i / 4096));
        }
    }
    return pages;
}

// mdb-export's lines for a table (header first); std::nullopt when the tool is not installed.
inline std::optional<QStringList> mdbExport(const std::string& path, const QString& table) {
    const QString program = QStandardPaths::findExecutable("mdb-export");
    if (program.isEmpty()) {
        return std::nullopt;
    }
    QProcess process;
    // Binary columns are left empty: their raw bytes would break the lines apart.
    process.start(program, {"-b", "strip", QString::fromStdString(path), table});
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit) {
        return QStringList{"<mdb-export failed>"};
    }
    QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
    while (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

// Splits one CSV line as mdb-export writes it: fields separated by commas, text in double quotes
// with doubled quotes inside. An unquoted empty field is NULL.
inline std::vector<std::optional<QString>> splitCsv(const QString& line) {
    std::vector<std::optional<QString>> fields;
    qsizetype i = 0;
    while (i <= line.size()) {
        if (i < line.size() && line[i] == '"') {
            QString value;
            ++i;
            while (i < line.size()) {
                if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                    value += '"';
                    i += 2;
                } else if (line[i] == '"') {
                    ++i;
                    break;
                } else {
                    value += line[i++];
                }
            }
            fields.emplace_back(value);
            ++i; // the comma
        } else {
            const qsizetype comma = line.indexOf(',', i);
            const qsizetype end = comma < 0 ? line.size() : comma;
            const QString value = line.mid(i, end - i);
            fields.push_back(value.isEmpty() ? std::nullopt : std::optional<QString>(value));
            i = end + 1;
        }
    }
    return fields;
}

} // namespace tabletest
