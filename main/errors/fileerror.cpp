#include "errors/fileerror.h"

QString germanReason(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::ReadError:
        return QStringLiteral("Lesefehler");
    case QFileDevice::WriteError:
        return QStringLiteral("Schreibfehler (ist der Datenträger voll?)");
    case QFileDevice::PermissionsError:
        return QStringLiteral("Zugriff verweigert");
    case QFileDevice::ResourceError:
        return QStringLiteral("Nicht genügend Systemressourcen verfügbar");
    case QFileDevice::AbortError:
        return QStringLiteral("Der Vorgang wurde abgebrochen");
    case QFileDevice::TimeOutError:
        return QStringLiteral("Zeitüberschreitung");
    case QFileDevice::OpenError:
        return QStringLiteral("Die Datei kann nicht geöffnet werden");
    case QFileDevice::RenameError:
        return QStringLiteral("Die Datei kann nicht umbenannt werden");
    case QFileDevice::CopyError:
        return QStringLiteral("Die Datei kann nicht kopiert werden");
    default:
        return QStringLiteral("Unbekannter Fehler");
    }
}
