#include "files/targetcreation.h"

#include "errors/fileerror.h"
#include "files/filecopy.h"
#include "files/targetmessages.h"
#include "text/nativepath.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace {

const QString noTarget = QStringLiteral(
    "Es ist kein Zielverzeichnis angegeben. Bitte geben Sie ein neues Zielverzeichnis an.");

Failure cannotCreate(const QString &path, int errorNumber)
{
    // Creating a directory in a missing one is a missing path, not a missing file.
    const int shown = errorNumber == ENOENT ? ENOTDIR : errorNumber;
    return {QStringLiteral("Das Zielverzeichnis %1 kann nicht erstellt werden. %2. Der Vorgang "
                           "wurde abgebrochen.")
                .arg(shownPath(path), systemErrorText(shown)),
            errorNumber};
}

} // namespace

std::optional<Failure> createTargetDirectory(const QString &target)
{
    // An empty path would put the new files at the root of the file system.
    if (target.isEmpty())
        return Failure{noTarget};
    if (isDirectory(target))
        return Failure{targetDirectoryExists};
    if (::mkdir(nativePath(target).constData(), 0777) != 0)
        return cannotCreate(target, errno);
    return std::nullopt;
}

QString canonicalTarget(const QString &target)
{
    char resolved[PATH_MAX];
    if (!::realpath(nativePath(target).constData(), resolved))
        return QString();
    return pathFromNative(QByteArray(resolved));
}
