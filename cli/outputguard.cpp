#include "outputguard.h"

#include "errors/qvxerror.h"
#include "text/nativepath.h"

#include <QDir>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace {

// The full path with links resolved as far as it exists: the target of --copy-to does not exist
// yet, but a link on the way to it leads elsewhere all the same.
QString resolvedPath(const QString &path)
{
    QString existing = QDir::cleanPath(absolutePath(path));
    QString rest;
    char resolved[PATH_MAX];
    while (!::realpath(nativePath(existing).constData(), resolved)) {
        const qsizetype slash = existing.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0)
            return QDir::cleanPath(absolutePath(path));
        rest = existing.mid(slash) + rest;
        existing = existing.left(slash);
    }
    return pathFromNative(QByteArray(resolved)) + rest;
}

bool insideDirectory(const QString &path, const QString &directory)
{
    const QString parent = resolvedPath(directory);
    return resolvedPath(path).startsWith(parent.endsWith(QLatin1Char('/')) ? parent : parent + '/');
}

} // namespace

void checkOutputFile(const QString &output, const QStringList &sources, const QString &copyTo)
{
    if (output.isEmpty())
        return;
    if (!copyTo.isEmpty() && insideDirectory(output, copyTo))
        throw QvxError(QStringLiteral("Die Ausgabedatei %1 (-o) läge im Zielverzeichnis %2 von "
                                      "--copy-to, das nur die Kopien aufnimmt. Bitte eine Datei "
                                      "außerhalb angeben.")
                           .arg(shownPath(output), shownPath(copyTo)));
    struct stat written;
    if (::stat(nativePath(output).constData(), &written) != 0)
        return;
    NativePathBuffer buffer;
    for (const QString &source : sources) {
        struct stat read;
        if (::stat(buffer.encode(source), &read) == 0 && read.st_dev == written.st_dev &&
            read.st_ino == written.st_ino)
            throw QvxError(QStringLiteral("Die Ausgabedatei %1 (-o) ist der Quelltext %2 und "
                                          "würde ihn überschreiben. Bitte eine andere Datei "
                                          "angeben.")
                               .arg(shownPath(output), shownPath(source)));
    }
}
