#include "files/filecopy.h"

#include "errors/fileerror.h"
#include "files/sourcefile.h"
#include "files/wholefile.h"
#include "text/nativepath.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

bool statPath(const QString &path, struct stat &status)
{
    return ::stat(nativePath(path).constData(), &status) == 0;
}

// The path up to and with its last separator; empty for a bare name.
QString directoryPart(const QString &path)
{
    return path.left(path.lastIndexOf(QDir::separator()) + 1);
}

Failure failure(int errorNumber)
{
    return {systemErrorText(errorNumber) + QLatin1Char('.'), errorNumber};
}

// The copy's reasons end with a full stop.
Failure closed(Failure failure)
{
    failure.reason += QLatin1Char('.');
    return failure;
}

std::optional<Failure> destProblem(const QString &dest)
{
    struct stat status;
    if (statPath(dest, status)) {
        if (S_ISDIR(status.st_mode))
            return Failure{
                QStringLiteral("Am Ziel gibt es bereits ein Verzeichnis dieses Namens.")};
        // The temporary file would be renamed over a device or a pipe, replacing the node.
        if (!S_ISREG(status.st_mode))
            return Failure{
                QStringLiteral("Am Ziel steht bereits etwas, das keine gewöhnliche Datei ist.")};
    }
    const QString directory = directoryPart(dest);
    if (!statPath(directory.isEmpty() ? QStringLiteral(".") : directory, status) ||
        !S_ISDIR(status.st_mode))
        return Failure{QStringLiteral("Das Zielverzeichnis existiert nicht.")};
    return std::nullopt;
}

// Copies no more than the size the source had when opened.
std::optional<Failure> copyBytes(const SourceFile &in, const WholeFile &out)
{
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    qsizetype left = in.size();
    while (left > 0) {
        const qsizetype count = readSome(in.descriptor(), buffer.data(), qMin(left, buffer.size()));
        if (count < 0)
            return failure(errno);
        if (count == 0)
            return std::nullopt;
        if (auto problem = writeAll(out.descriptor(), buffer.constData(), count))
            return failure(problem->errorNumber);
        left -= count;
    }
    return std::nullopt;
}

// The process's file creation mask; it can only be read by setting it, so it is put back at once.
mode_t creationMask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

std::optional<Failure> copyFileWhole(const QString &source, const QString &dest)
{
    const SourceFile in(source);
    if (!in.isOpen())
        return Failure{in.failure() + QLatin1Char('.')};
    if (auto problem = destProblem(dest))
        return problem;
    struct stat sourceStatus;
    ::fstat(in.descriptor(), &sourceStatus);
    WholeFile out(dest);
    if (auto problem = out.open())
        return closed(*problem);
    if (auto problem = copyBytes(in, out))
        return problem;
    const struct timespec times[2] = {sourceStatus.st_atim, sourceStatus.st_mtim};
    ::futimens(out.descriptor(), times);
    // A copy that replaces a file gets what any new file would, not the old file's permissions.
    out.setMode(0666 & ~creationMask());
    if (auto problem = out.commit())
        return closed(*problem);
    return std::nullopt;
}

bool pathExists(const QString &path)
{
    struct stat status;
    return statPath(path, status);
}

bool isRegularFile(const QString &path)
{
    struct stat status;
    return statPath(path, status) && S_ISREG(status.st_mode);
}

bool isDirectory(const QString &path)
{
    struct stat status;
    return statPath(path, status) && S_ISDIR(status.st_mode);
}

QString freeFileName(const QString &dest)
{
    if (!pathExists(dest))
        return dest;
    const QFileInfo info(dest);
    QString base = info.completeBaseName();
    QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    // A name that is all suffix, such as ".txt", keeps it whole before the number.
    if (base.isEmpty()) {
        base = info.fileName();
        suffix.clear();
    }
    const QString directory = dest.left(dest.size() - info.fileName().size());
    for (int number = 2;; ++number) {
        const QString candidate = directory + base + QStringLiteral(" (") +
                                  QString::number(number) + QLatin1Char(')') + suffix;
        if (!pathExists(candidate))
            return candidate;
    }
}

QString copyFailedMessage(const QString &source, const QString &dest, const QString &reason)
{
    return QStringLiteral("Die Datei %1 konnte nicht nach %2 kopiert werden. %3")
        .arg(QDir::toNativeSeparators(shownPath(source)), QDir::toNativeSeparators(shownPath(dest)),
             reason);
}
