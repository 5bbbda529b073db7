#pragma once

#include <QFile>
#include <QString>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>
#include <zip.h>

// Zips for the tests, written with libzip: entries by name and contents, deflated.
namespace zip_writing {

using Entries = std::vector<std::pair<std::string, std::string>>;

inline bool writeZip(const std::string& path, const Entries& entries) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    for (const auto& [name, contents] : entries) {
        zip_source_t* source = zip_source_buffer(archive, contents.data(), contents.size(), 0);
        if (!source || zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
    }
    return zip_close(archive) == 0;
}

// Makes every entry of a zip announce `size` bytes once inflated, in its local header and in the
// central directory alike, as a damaged or forged zip would.
inline bool announceSize(const std::string& path, std::uint32_t size) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray bytes = file.readAll();
    const auto put = [&](qsizetype at) {
        if (at < 0 || at + 4 > bytes.size())
            return false;
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
        return true;
    };
    int changed = 0;
    for (qsizetype at = bytes.indexOf("PK\x03\x04"); at >= 0; at = bytes.indexOf("PK\x03\x04", at + 4))
        changed += put(at + 22) ? 1 : 0;
    for (qsizetype at = bytes.indexOf("PK\x01\x02"); at >= 0; at = bytes.indexOf("PK\x01\x02", at + 4))
        changed += put(at + 24) ? 1 : 0;
    file.seek(0);
    return changed >= 2 && file.write(bytes) == bytes.size();
}

} // namespace zip_writing
