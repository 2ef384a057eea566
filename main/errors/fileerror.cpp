#include "errors/fileerror.h"

#include <cerrno>
#include <iterator>

namespace {

struct SystemText
{
    int errorNumber;
    const char *text;
};

// The texts of the Windows errors that stand for the same condition.
const SystemText systemTexts[] = {
    {ENOENT, "Das System kann die angegebene Datei nicht finden"},
    {ENOTDIR, "Das System kann den angegebenen Pfad nicht finden"},
    {EACCES, "Zugriff verweigert"},
    {EPERM, "Zugriff verweigert"},
    {EISDIR, "Der angegebene Pfad ist ein Verzeichnis"},
    {ENOSPC, "Auf dem Datenträger ist nicht genügend Speicherplatz vorhanden"},
    {EDQUOT, "Das Datenträgerkontingent wurde überschritten"},
    {EROFS, "Der Datenträger ist schreibgeschützt"},
    {ENAMETOOLONG, "Der Dateiname oder die Erweiterung ist zu lang"},
    {ELOOP, "Der Name der Datei kann vom System nicht aufgelöst werden"},
    {EIO, "Die Anforderung konnte wegen eines E/A-Gerätefehlers nicht ausgeführt werden"},
    {EMFILE, "Das System kann die Datei nicht öffnen"},
    {ENFILE, "Das System kann die Datei nicht öffnen"},
    {EFBIG, "Die Dateigröße überschreitet die zulässige Grenze und kann nicht gespeichert werden"},
    {EXDEV, "Das System kann die Datei nicht auf ein anderes Laufwerk verschieben"},
    {EEXIST, "Eine Datei kann nicht erstellt werden, wenn sie bereits vorhanden ist"},
    {ENOMEM, "Nicht genügend Speicher verfügbar, um diesen Befehl zu verarbeiten"},
    {EBUSY, "Der Prozess kann nicht auf die Datei zugreifen, da sie von einem anderen Prozess "
            "verwendet wird"},
    {ETXTBSY, "Der Prozess kann nicht auf die Datei zugreifen, da sie von einem anderen Prozess "
              "verwendet wird"},
    {EINVAL, "Die Syntax für den Dateinamen, Verzeichnisnamen oder die Datenträgerbezeichnung "
             "ist falsch"},
    {ENXIO, "Das Gerät ist nicht bereit"},
    {ENODEV, "Das Gerät ist nicht bereit"},
    {ENOTEMPTY, "Das Verzeichnis ist nicht leer"},
};

// The text of a Qt error code that names no error number (see systemErrorNumber).
QString fallbackText(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::ReadError:
        return QStringLiteral("Lesefehler");
    case QFileDevice::WriteError:
        return QStringLiteral("Schreibfehler");
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

} // namespace

QString systemErrorText(int errorNumber)
{
    for (const SystemText &entry : systemTexts) {
        if (entry.errorNumber == errorNumber)
            return QString::fromUtf8(entry.text);
    }
    return QStringLiteral("Unbekannter Fehler (Systemfehler %1)").arg(errorNumber);
}

QString systemErrorText(const QFileDevice &file)
{
    const int errorNumber = systemErrorNumber(file);
    return errorNumber != 0 ? systemErrorText(errorNumber) : fallbackText(file.error());
}

int systemErrorNumber(const QFileDevice &file)
{
    const QString text = file.errorString();
    for (const SystemText &entry : systemTexts) {
        if (text == qt_error_string(entry.errorNumber))
            return entry.errorNumber;
    }
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return EACCES;
    // Qt files a write that found the disk full, and only that, as a resource error.
    case QFileDevice::ResourceError:
        return ENOSPC;
    default:
        return 0;
    }
}
