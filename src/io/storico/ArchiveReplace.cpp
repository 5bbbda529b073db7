#include "io/storico/ArchiveReplace.h"

#include "io/jet/JetDate.h"
#include "io/jet/JetError.h"
#include "io/jet/SafeFileReplace.h"
#include "io/jet/SystemReason.h"
#include "io/storico/ArchiveDraws.h"
#include "io/storico/DrawArchiveFile.h"
#include "io/storico/StoricoError.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <signal.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace storico {

namespace fs = std::filesystem;

namespace {

// A hard link costs nothing and is the old file itself; where links are not allowed, a flushed copy.
void keepOldArchive(const std::string& archive, const std::string& backup) {
    if (::link(archive.c_str(), backup.c_str()) == 0)
        return;
    if (errno == EEXIST)
        throw StoricoError("impossibile fare la copia dell'archivio " + archive + ": " + backup +
                           " esiste già");
    std::error_code error;
    // Never over something already there, nor through a link planted under the copy's name.
    fs::copy_file(archive, backup, fs::copy_options::none, error);
    const int fd = error ? -1 : ::open(backup.c_str(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) {
        const std::string reason = error ? jet::systemReason(error) : jet::systemReason(errno);
        if (fd >= 0)
            ::close(fd);
        ::unlink(backup.c_str());
        throw StoricoError("impossibile fare la copia dell'archivio " + archive + " in " + backup + ": " +
                           reason);
    }
    ::close(fd);
}

// Whether name is stem + ".YYYYMMDD-HHMMSS.bak", or with "-N" before ".bak": a copy this program made.
bool isBackupOf(std::string_view name, std::string_view stem) {
    const auto digits = [&name](std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            if (i >= name.size() || !std::isdigit(static_cast<unsigned char>(name[i])))
                return false;
        name.remove_prefix(count);
        return true;
    };
    const auto literal = [&name](std::string_view text) {
        if (!name.starts_with(text))
            return false;
        name.remove_prefix(text.size());
        return true;
    };
    if (!literal(stem) || !literal(".") || !digits(8) || !literal("-") || !digits(6))
        return false;
    if (literal("-")) {
        if (!digits(1))
            return false;
        while (!name.empty() && std::isdigit(static_cast<unsigned char>(name.front())))
            name.remove_prefix(1);
    }
    return name == ".bak";
}

std::vector<std::string> pruneBackups(const fs::path& folder, const std::string& stem) {
    std::vector<std::string> backups;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (isBackupOf(entry.path().filename().string(), stem))
            backups.push_back(entry.path().string());
    std::sort(backups.begin(), backups.end());
    std::vector<std::string> removed;
    for (std::size_t i = 0; i + KeptBackups < backups.size(); ++i)
        if (::unlink(backups[i].c_str()) == 0)
            removed.push_back(backups[i]);
    return removed;
}

// A write killed half-way leaves its new file beside the archive; the next write removes those whose
// process is gone (the process id is in the name).
void removeAbandonedNewFiles(const fs::path& folder, const std::string& prefix) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix))
            continue;
        const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            ::unlink(entry.path().c_str());
    }
}

bool isSymbolicLink(const std::string& path) {
    std::error_code error;
    return fs::is_symlink(fs::symlink_status(path, error));
}

void refuseSymbolicLink(const std::string& path) {
    if (isSymbolicLink(path))
        throw StoricoError(path + " è un collegamento simbolico: l'archivio non viene scritto attraverso un "
                                  "collegamento; indicare il file a cui punta");
}

[[noreturn]] void refuseExisting(const std::string& path) {
    throw StoricoError("il file " + path + " esiste già: non viene sostituito");
}

// The name of the new file beside the archive, once the ones abandoned by a killed write are gone.
std::string freshFileBeside(const fs::path& folder, const std::string& name) {
    const std::string prefix = "." + name + ".nuovo-";
    removeAbandonedNewFiles(folder, prefix);
    return (folder / (prefix + std::to_string(::getpid()))).string();
}

// The new file's last step to the archive's name, which must still be free.
void moveToFreeName(const std::string& fresh, const std::string& path) {
    bool moved = false;
    try {
        moved = jet::engine::renameIntoFreeName(fresh, path);
    } catch (const jet::JetError& error) {
        ::unlink(fresh.c_str());
        throw StoricoError(error.what());
    }
    if (!moved) {
        ::unlink(fresh.c_str());
        throw StoricoError("il file " + path +
                           " è stato creato da altri durante la scrittura: non viene sostituito");
    }
}

} // namespace

void writeNewDrawArchive(const std::string& path, const std::vector<Draw>& draws) {
    refuseSymbolicLink(path);
    std::error_code missing;
    if (fs::exists(path, missing))
        refuseExisting(path);
    const fs::path target = fs::absolute(path);
    const std::string fresh = freshFileBeside(target.parent_path(), target.filename().string());
    try {
        const CalendarDate last = draws.empty() ? CalendarDate{} : draws.back().date;
        writeDrawArchiveFile(fresh, draws, jet::toJetDate(last.year, last.month, last.day));
    } catch (const jet::JetError& error) {
        ::unlink(fresh.c_str());
        throw StoricoError("impossibile scrivere " + path + ": " + error.what());
    }
    moveToFreeName(fresh, path);
}

std::string backupFileName(const std::string& archiveFileName, std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return fs::path(archiveFileName).stem().string() + "." + stamp + ".bak";
}

ArchiveReplacement replaceDrawArchive(const std::string& path, const std::vector<Draw>& draws,
                                      const std::string& readerProgram, std::time_t now,
                                      ExistingArchive existing) {
    refuseSymbolicLink(path);
    std::error_code missing;
    const bool exists = fs::exists(path, missing);
    if (exists && existing == ExistingArchive::Keep)
        refuseExisting(path);
    std::string target = path;
    struct stat original {};
    if (exists) {
        try {
            target = jet::engine::replaceableTarget(path);
        } catch (const jet::JetError& error) {
            throw StoricoError(error.what());
        }
        ::stat(target.c_str(), &original);
    }
    const fs::path folder = fs::absolute(target).parent_path();
    const std::string name = fs::path(target).filename().string();
    const std::string fresh = freshFileBeside(folder, name);

    const auto discard = [&] { ::unlink(fresh.c_str()); };
    try {
        const CalendarDate last = draws.empty() ? CalendarDate{} : draws.back().date;
        writeDrawArchiveFile(fresh, draws, jet::toJetDate(last.year, last.month, last.day));
        if (exists)
            ::chmod(fresh.c_str(), original.st_mode & 07777);
    } catch (const jet::JetError& error) {
        discard();
        throw StoricoError("impossibile scrivere l'archivio nuovo accanto a " + path + ": " + error.what());
    }
    try {
        if (readArchiveDraws(readerProgram, fresh) != draws)
            throw StoricoError("l'archivio nuovo, riletto, non corrisponde alle estrazioni da scrivere");
    } catch (const StoricoError& error) {
        discard();
        throw StoricoError(std::string("verifica dell'archivio nuovo fallita, ") + path +
                           " non è stato toccato: " + error.what());
    }

    ArchiveReplacement replacement;
    if (exists) {
        std::string backup = (folder / backupFileName(name, now)).string();
        for (int n = 2; fs::exists(fs::symlink_status(backup, missing)); ++n)
            backup = (folder / (fs::path(backupFileName(name, now)).stem().string() + "-" +
                                std::to_string(n) + ".bak"))
                         .string();
        try {
            keepOldArchive(target, backup);
        } catch (const StoricoError&) {
            discard();
            throw;
        }
        replacement.backup = backup;
    }
    if (!exists) {
        moveToFreeName(fresh, target);
        return replacement;
    }
    try {
        jet::engine::renameIntoPlace(fresh, target);
    } catch (const jet::JetError& error) {
        discard();
        if (!replacement.backup.empty())
            ::unlink(replacement.backup.c_str());
        throw StoricoError(error.what());
    }
    replacement.removedBackups = pruneBackups(folder, fs::path(name).stem().string());
    return replacement;
}

} // namespace storico
