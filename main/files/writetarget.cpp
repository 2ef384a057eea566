#include "files/writetarget.h"

#include "text/nativepath.h"

#include <sys/stat.h>

std::optional<Failure> refusedTargetReason(const QString &path)
{
    struct stat status;
    if (::stat(nativePath(path).constData(), &status) != 0)
        return std::nullopt;
    if (S_ISDIR(status.st_mode))
        return Failure{QStringLiteral("Es gibt dort ein Verzeichnis dieses Namens")};
    if (!S_ISREG(status.st_mode))
        return Failure{QStringLiteral("Das Ziel ist keine gewöhnliche Datei")};
    return std::nullopt;
}

QString fileNotWrittenMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Die Datei %1 konnte nicht geschrieben werden. %2")
        .arg(shownPath(path), reason);
}
