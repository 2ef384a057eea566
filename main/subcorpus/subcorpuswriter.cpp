#include "subcorpus/subcorpuswriter.h"

#include "files/targetcreation.h"
#include "files/targetmessages.h"
#include "files/targetpath.h"
#include "files/textfilewriter.h"
#include "results/substitutedpaths.h"
#include "subcorpus/antconcsettings.h"
#include "subcorpus/antconctemplates.h"
#include "text/nativepath.h"

#include <QFileInfo>
#include <QHash>
#include <unistd.h>

std::optional<Failure> existingTargetRefusal(const QString &target, const QString &createdHere)
{
    if (!isDirectory(target) || (!createdHere.isEmpty() && canonicalTarget(target) == createdHere))
        return std::nullopt;
    return Failure{targetDirectoryExists};
}

std::optional<std::pair<QString, QString>> sameNamedTexts(const QStringList &paths)
{
    QHash<QString, QString> firstOfName;
    for (const QString &path : paths) {
        const QString name = QFileInfo(path).fileName();
        const auto first = firstOfName.constFind(name);
        if (first != firstOfName.constEnd())
            return std::pair(*first, path);
        firstOfName.insert(name, path);
    }
    return std::nullopt;
}

QString textDestination(const QString &target, const QString &path)
{
    return pathInTarget(target, QFileInfo(path).fileName());
}

std::optional<Failure> copyTextInto(const QString &target, const QString &path)
{
    const QString dest = textDestination(target, path);
    auto failure = copyFileWhole(path, dest);
    if (failure)
        failure->reason = copyFailedMessage(path, dest, failure->reason);
    return failure;
}

QStringList writeSettingsFile(const QString &target, int version, const QStringList &paths)
{
    QStringList full;
    full.reserve(paths.size());
    for (const QString &path : paths)
        full << absolutePath(path);
    writeWindowsLines(pathInTarget(target, antconcFileName(version)),
                      antconcSettingsLines(version, full));
    return unrepresentablePaths(full);
}

void removeEmptyTarget(const QString &target)
{
    // rmdir removes only an empty directory; the bytes of the name are kept as they are.
    ::rmdir(nativePath(target).constData());
}
