#include "files/writetarget.h"

#include "errors/fileerror.h"
#include "text/nativepath.h"

#include <QDir>
#include <QFileInfo>

std::optional<Failure> refusedTargetReason(const QString &path)
{
    const QFileInfo target(path);
    if (target.isDir())
        return Failure{QStringLiteral("Es gibt dort ein Verzeichnis dieses Namens")};
    if (target.exists() && !target.isFile())
        return Failure{QStringLiteral("Das Ziel ist keine gewöhnliche Datei")};
    return std::nullopt;
}

QString writeFailureReason(const QString &path, const QFileDevice &file)
{
    return QFileInfo(path).absoluteDir().exists()
               ? systemErrorText(file)
               : QStringLiteral("Das Verzeichnis existiert nicht");
}

QString fileNotWrittenMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Die Datei %1 konnte nicht geschrieben werden. %2")
        .arg(shownPath(path), reason);
}
