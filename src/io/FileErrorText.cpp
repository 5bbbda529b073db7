#include "io/FileErrorText.h"

#include "io/jet/SystemReason.h"

QString fileErrorText(QFileDevice::FileError error, int systemError) {
    if (systemError != 0)
        return QString::fromStdString(jet::systemReason(systemError));
    switch (error) {
    case QFileDevice::NoError:
        return QStringLiteral("nessun errore");
    case QFileDevice::ReadError:
        return QStringLiteral("errore di lettura");
    case QFileDevice::WriteError:
        return QStringLiteral("errore di scrittura");
    case QFileDevice::FatalError:
        return QStringLiteral("errore grave del file");
    case QFileDevice::ResourceError:
        return QStringLiteral("risorse esaurite (disco pieno?)");
    case QFileDevice::OpenError:
        return QStringLiteral("impossibile aprire il file");
    case QFileDevice::AbortError:
        return QStringLiteral("operazione interrotta");
    case QFileDevice::TimeOutError:
        return QStringLiteral("tempo scaduto");
    case QFileDevice::RemoveError:
        return QStringLiteral("impossibile cancellare il file");
    case QFileDevice::RenameError:
        return QStringLiteral("impossibile rinominare il file");
    case QFileDevice::PositionError:
        return QStringLiteral("posizione non valida nel file");
    case QFileDevice::ResizeError:
        return QStringLiteral("impossibile cambiare la dimensione del file");
    case QFileDevice::PermissionsError:
        return QStringLiteral("permesso negato");
    case QFileDevice::CopyError:
        return QStringLiteral("impossibile copiare il file");
    case QFileDevice::UnspecifiedError:
        break;
    }
    return QStringLiteral("errore sconosciuto");
}
