#include "io/jet/SystemReason.h"

#include <cerrno>

namespace jet {

std::string systemReason(int error) {
    switch (error) {
    case ENOENT:
        return "il file o la cartella non esiste";
    case EACCES:
    case EPERM:
        return "permesso negato";
    case EISDIR:
        return "è una cartella, non un file";
    case ENOTDIR:
        return "una parte del percorso non è una cartella";
    case ENOSPC:
        return "spazio esaurito sul disco";
    case EDQUOT:
        return "quota del disco esaurita";
    case EROFS:
        return "il disco è di sola lettura";
    case EEXIST:
        return "il file esiste già";
    case ENAMETOOLONG:
        return "percorso troppo lungo";
    case EMFILE:
    case ENFILE:
        return "troppi file aperti";
    case ENOMEM:
        return "memoria insufficiente";
    case EIO:
        return "errore di lettura o scrittura sul disco";
    case EBUSY:
    case ETXTBSY:
        return "il file è in uso";
    case EXDEV:
        return "il file è su un altro disco";
    case ELOOP:
        return "troppi collegamenti simbolici nel percorso";
    case ENOEXEC:
        return "il file non è un programma eseguibile";
    default:
        return "errore di sistema " + std::to_string(error);
    }
}

std::string systemReason(const std::error_code& error) {
    if (error.category() == std::generic_category() || error.category() == std::system_category())
        return systemReason(error.value());
    return "errore " + std::to_string(error.value());
}

} // namespace jet
