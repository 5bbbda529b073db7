#include "io/storico/HistoryInput.h"

#include "io/jet/SystemReason.h"
#include "io/storico/ArchiveMerge.h"
#include "io/storico/StoricoError.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
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


// An open file descriptor, closed when it goes out of scope unless handed over.
struct Descriptor {
    int fd = -1;

    explicit Descriptor(int descriptor) : fd(descriptor) {}
    Descriptor(Descriptor&& other) noexcept : fd(std::exchange(other.fd, -1)) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor& operator=(Descriptor&&) = delete;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
    void release() { fd = -1; }
};

std::string limitText() {
    return std::to_string(MaxHistoryBytes >> 20) + " MiB";
}

std::string byteCount(std::uint64_t bytes) {
    return italianCount(static_cast<long long>(std::min<std::uint64_t>(bytes, INT64_MAX))) + " byte";
}

std::string fileLimitPassed() {
    return "oltre il limite di " + limitText() + " per un file dello storico";
}

[[noreturn]] void throwTotalLimit(const std::string& name) {
    throw StoricoError("lo storico scelto supera in tutto il limite di " + limitText() + " (raggiunto con " + name +
                       "): non viene letto");
}

std::string kindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return "una cartella";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "un dispositivo";
    if (S_ISFIFO(mode))
        return "una pipe (FIFO)";
    if (S_ISSOCK(mode))
        return "un socket";
    return "un file speciale";
}

// Opens an input for reading, refusing at once anything but a regular file: a device or a pipe named in
// its place would be read without end, or waited on. Not blocking on the open is what keeps a pipe with
// no writer from stopping the program here.
Descriptor openRegularFile(const std::string& path, std::uint64_t& size) {
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (file.fd < 0)
        throw StoricoError("impossibile leggere " + path + ": " + jet::systemReason(errno));
    struct stat info {};
    if (::fstat(file.fd, &info) != 0)
        throw StoricoError("impossibile leggere " + path + ": " + jet::systemReason(errno));
    if (S_ISDIR(info.st_mode))
        throw StoricoError(path + " è una cartella senza file di testo dello storico");
    if (!S_ISREG(info.st_mode))
        throw StoricoError(path + " non è un file regolare ma " + kindOf(info.st_mode) +
                           ": lo storico si legge solo da file");
    size = static_cast<std::uint64_t>(info.st_size);
    return file;
}

bool startsLikeZip(int fd) {
    char magic[4] = {};
    return ::pread(fd, magic, sizeof magic, 0) == static_cast<ssize_t>(sizeof magic) && magic[0] == 'P' &&
           magic[1] == 'K' && ((magic[2] == 3 && magic[3] == 4) || (magic[2] == 5 && magic[3] == 6));
}

// A text as it arrives, refused as soon as it passes a bound: a file's, what is left of the reading's,
// or a line's. The text never holds more than the bound allows, whatever a file or a zip claimed.
class BoundedText {
public:
    // overrun: added to the message when the text turns out longer than announced.
    BoundedText(std::string name, std::uint64_t left, std::string overrun)
        : m_name(std::move(name)), m_left(left), m_overrun(std::move(overrun)) {}

    void reserve(std::uint64_t size) {
        m_text.reserve(static_cast<std::size_t>(std::min({size, MaxHistoryBytes, m_left})));
    }

    void append(const char* data, std::size_t size) {
        if (size > MaxHistoryBytes - m_text.size())
            throw StoricoError(m_name + " supera il limite di " + limitText() + " per un file dello storico" +
                               m_overrun + ": non viene letto");
        if (size > m_left - m_text.size())
            throwTotalLimit(m_name);
        const std::size_t from = m_text.size();
        if (m_text.capacity() < from + size)
            // Doubling stops at the bound, so a text near it never costs twice its size.
            m_text.reserve(static_cast<std::size_t>(
                std::min<std::uint64_t>(std::max(2 * m_text.capacity(), from + size), MaxHistoryBytes)));
        m_text.append(data, size);
        for (std::size_t end = m_text.find('\n', from); end != std::string::npos;
             end = m_text.find('\n', end + 1)) {
            checkLine(end);
            m_lineStart = end + 1;
            ++m_line;
        }
        checkLine(m_text.size());
    }

    std::string take() { return std::move(m_text); }

private:
    void checkLine(std::size_t end) const {
        if (end - m_lineStart > MaxHistoryLineBytes)
            throw StoricoError(m_name + ":" + std::to_string(m_line) + ": riga più lunga di " +
                               italianCount(static_cast<long long>(MaxHistoryLineBytes)) +
                               " byte, il limite per una riga dello storico: il file non viene letto");
    }

    std::string m_name;
    std::uint64_t m_left;
    std::string m_overrun;
    std::string m_text;
    std::size_t m_lineStart = 0;
    int m_line = 1;
};

HistoryText readTextFile(const std::string& path, Descriptor file, std::uint64_t size, std::uint64_t left) {
    if (size > MaxHistoryBytes)
        throw StoricoError(path + " misura " + byteCount(size) + ", " + fileLimitPassed() + ": non viene letto");
    if (size > left)
        throwTotalLimit(path);
    BoundedText text(path, left, " (il file è cresciuto durante la lettura)");
    text.reserve(size);
    char buffer[1 << 16];
    while (true) {
        const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw StoricoError("impossibile leggere " + path + ": " + jet::systemReason(errno));
        if (n == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return {path, text.take()};
}

struct ZipText {
    zip_uint64_t index = 0;
    std::string name;
    std::optional<std::uint64_t> size;
};

// The zip's text files, read in memory: an entry's name is only a name in the messages, never a path
// anything is written to. Every size the zip's directory gives is checked before anything is inflated,
// and the inflating itself stops at the bounds, since a damaged or forged directory can understate them.
std::vector<HistoryText> readZip(const std::string& path, Descriptor file, std::uint64_t size,
                                 std::uint64_t left) {
    if (size > MaxHistoryBytes)
        throw StoricoError("lo zip " + path + " misura " + byteCount(size) + ", " + fileLimitPassed() +
                           ": non viene letto");
    int openError = 0;
    std::unique_ptr<zip_t, ZipCloser> archive(zip_fdopen(file.fd, ZIP_RDONLY | ZIP_CHECKCONS, &openError));
    if (!archive)
        throw StoricoError("lo zip " + path + " è danneggiato o illeggibile (" + zipReason(openError) + ")");
    file.release(); // the archive has it now

    std::vector<ZipText> texts;
    const zip_int64_t entries = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < entries; ++i) {
        const char* name = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), 0);
        if (name == nullptr)
            continue;
        const std::string entry = name;
        if (!entry.empty() && entry.back() != '/' && lowerExtension(entry) == ".txt")
            texts.push_back({static_cast<zip_uint64_t>(i), entry, std::nullopt});
    }
    if (texts.empty())
        throw StoricoError("lo zip " + path + " non contiene file di testo (.txt)");
    std::stable_sort(texts.begin(), texts.end(),
                     [](const ZipText& a, const ZipText& b) { return a.name < b.name; });

    std::uint64_t announced = 0;
    for (auto& text : texts) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), text.index, 0, &stat) != 0)
            throw StoricoError("lo zip " + path + " è danneggiato (" + zipReason(zip_get_error(archive.get())) +
                               ")");
        if ((stat.valid & ZIP_STAT_SIZE) == 0)
            continue;
        text.size = stat.size;
        if (stat.size > MaxHistoryBytes)
            throw StoricoError("lo zip " + path + " contiene " + text.name + " di " + byteCount(stat.size) +
                               " una volta estratto, " + fileLimitPassed() + ": non viene estratto");
        announced += stat.size;
        if (announced > left)
            throwTotalLimit(path + ":" + text.name);
    }

    std::vector<HistoryText> read;
    for (const auto& text : texts) {
        const std::string where = path + ":" + text.name;
        std::unique_ptr<zip_file_t, ZipFileCloser> entry(zip_fopen_index(archive.get(), text.index, 0));
        if (!entry)
            throw StoricoError("impossibile leggere " + where + " (" + zipReason(zip_get_error(archive.get())) +
                               ")");
        BoundedText contents(where, left,
                             text.size ? " (lo zip ne dichiarava " + byteCount(*text.size) + ": è danneggiato)"
                                       : std::string());
        contents.reserve(text.size.value_or(0));
        char buffer[1 << 16];
        while (true) {
            const zip_int64_t n = zip_fread(entry.get(), buffer, sizeof buffer);
            if (n < 0)
                // A damaged entry shows here: a bad compressed stream or a checksum that does not match.
                throw StoricoError("lo zip " + path + " è danneggiato: " + text.name + " (" +
                                   zipReason(zip_file_get_error(entry.get())) + ")");
            if (n == 0)
                break;
            contents.append(buffer, static_cast<std::size_t>(n));
        }
        read.push_back({where, contents.take()});
        left -= read.back().text.size();
    }
    return read;
}

} // namespace

bool looksLikeZip(const std::string& path) {
    if (lowerExtension(path) == ".zip")
        return true;
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat info {};
    return file.fd >= 0 && ::fstat(file.fd, &info) == 0 && S_ISREG(info.st_mode) && startsLikeZip(file.fd);
}

std::vector<HistoryText> readHistoryInputs(const std::vector<std::string>& inputs) {
    std::vector<std::string> files;
    for (const auto& input : inputs) {
        std::error_code error;
        if (!fs::is_directory(input, error)) {
            files.push_back(input);
            continue;
        }
        // Every *.txt but folders: a device or a pipe given such a name is refused when it is opened.
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(input, error))
            if (!entry.is_directory(error) && lowerExtension(entry.path()) == ".txt")
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
    std::uint64_t left = MaxHistoryBytes;
    for (const auto& path : files) {
        std::uint64_t size = 0;
        Descriptor file = openRegularFile(path, size);
        const bool zip = lowerExtension(path) == ".zip" || startsLikeZip(file.fd);
        std::vector<HistoryText> read;
        if (zip)
            read = readZip(path, std::move(file), size, left);
        else
            read.push_back(readTextFile(path, std::move(file), size, left));
        for (auto& text : read) {
            left -= text.text.size();
            texts.push_back(std::move(text));
        }
    }
    return texts;
}

} // namespace storico
