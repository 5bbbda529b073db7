#include "io/storico/HistoryInput.h"

#include "io/jet/SystemReason.h"
#include "io/storico/StoricoError.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <zip.h>

namespace storico {

namespace fs = std::filesystem;

namespace {

std::string lowerExtension(const fs::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

std::string readWholeFile(const std::string& path) {
    std::error_code error;
    if (fs::is_directory(path, error))
        throw StoricoError(path + " è una cartella senza file di testo dello storico");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw StoricoError("impossibile leggere " + path + ": " + jet::systemReason(errno));
    std::ostringstream contents;
    contents << in.rdbuf();
    if (in.bad())
        throw StoricoError("impossibile leggere " + path);
    return contents.str();
}

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// libzip's texts are English: ours say the same, and a system error keeps its own reason.
std::string zipReason(const zip_error_t* error) {
    const int code = zip_error_code_zip(error);
    const int system = zip_error_code_system(error);
    const bool withSystem = zip_error_system_type(error) == ZIP_ET_SYS && system != 0;
    std::string reason;
    switch (code) {
    case ZIP_ER_NOZIP:
        return "non è un archivio zip";
    case ZIP_ER_NOENT:
        return "il file non esiste";
    case ZIP_ER_INCONS:
        return "archivio zip incoerente";
    case ZIP_ER_CRC:
        return "il controllo CRC non torna";
    case ZIP_ER_EOF:
        return "il file finisce prima del previsto";
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
        return "dati compressi danneggiati";
    case ZIP_ER_COMPNOTSUPP:
        return "metodo di compressione non supportato";
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return "file cifrato, non supportato";
    case ZIP_ER_MULTIDISK:
        return "zip su più dischi, non supportato";
    case ZIP_ER_MEMORY:
        return "memoria insufficiente";
    case ZIP_ER_OPEN:
        reason = "impossibile aprire il file";
        break;
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_TELL:
        reason = "errore di lettura";
        break;
    default:
        reason = "errore zip " + std::to_string(code);
        break;
    }
    return withSystem ? reason + ": " + jet::systemReason(system) : reason;
}

std::string zipReason(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string reason = zipReason(&error);
    zip_error_fini(&error);
    return reason;
}

HistoryText readZip(const std::string& path) {
    int openError = 0;
    std::unique_ptr<zip_t, ZipCloser> archive(zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &openError));
    if (!archive)
        throw StoricoError("lo zip " + path + " è danneggiato o illeggibile (" + zipReason(openError) + ")");

    std::vector<std::pair<zip_uint64_t, std::string>> texts;
    const zip_int64_t entries = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < entries; ++i) {
        const char* name = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), 0);
        if (name == nullptr)
            continue;
        const std::string entry = name;
        if (!entry.empty() && entry.back() != '/' && lowerExtension(entry) == ".txt")
            texts.emplace_back(static_cast<zip_uint64_t>(i), entry);
    }
    if (texts.empty())
        throw StoricoError("lo zip " + path + " non contiene file di testo (.txt)");
    if (texts.size() > 1) {
        std::string names;
        for (const auto& [index, name] : texts)
            names += (names.empty() ? "" : ", ") + name;
        throw StoricoError("lo zip " + path + " contiene più file di testo (" + names +
                           "): se ne aspetta uno solo");
    }

    const auto& [index, name] = texts.front();
    const std::string where = path + ":" + name;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive.get(), index, 0, &stat) != 0)
        throw StoricoError("lo zip " + path + " è danneggiato (" + zipReason(zip_get_error(archive.get())) +
                           ")");
    std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(archive.get(), index, 0));
    if (!file)
        throw StoricoError("impossibile leggere " + where + " (" + zipReason(zip_get_error(archive.get())) +
                           ")");
    std::string text;
    if ((stat.valid & ZIP_STAT_SIZE) != 0)
        text.reserve(static_cast<std::size_t>(stat.size));
    char buffer[1 << 16];
    while (true) {
        const zip_int64_t n = zip_fread(file.get(), buffer, sizeof buffer);
        if (n < 0)
            // A damaged entry shows here: a bad compressed stream or a checksum that does not match.
            throw StoricoError("lo zip " + path + " è danneggiato: " + name + " (" +
                               zipReason(zip_file_get_error(file.get())) + ")");
        if (n == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return {where, std::move(text)};
}

} // namespace

bool looksLikeZip(const std::string& path) {
    if (lowerExtension(path) == ".zip")
        return true;
    std::ifstream in(path, std::ios::binary);
    char magic[4] = {};
    return in.read(magic, sizeof magic) && magic[0] == 'P' && magic[1] == 'K' &&
           ((magic[2] == 3 && magic[3] == 4) || (magic[2] == 5 && magic[3] == 6));
}

std::vector<HistoryText> readHistoryInputs(const std::vector<std::string>& inputs) {
    std::vector<std::string> files;
    for (const auto& input : inputs) {
        std::error_code error;
        if (!fs::is_directory(input, error)) {
            files.push_back(input);
            continue;
        }
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(input, error))
            if (entry.is_regular_file(error) && lowerExtension(entry.path()) == ".txt")
                found.push_back(entry.path().string());
        if (error)
            throw StoricoError("impossibile leggere la cartella " + input + ": " + jet::systemReason(error));
        if (found.empty())
            throw StoricoError("nessun file .txt nella cartella " + input);
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    }

    std::vector<HistoryText> texts;
    texts.reserve(files.size());
    for (const auto& file : files) {
        std::error_code error;
        if (!fs::is_directory(file, error) && looksLikeZip(file))
            texts.push_back(readZip(file));
        else
            texts.push_back({file, readWholeFile(file)});
    }
    return texts;
}

} // namespace storico
