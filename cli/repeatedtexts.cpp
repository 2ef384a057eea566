#include "repeatedtexts.h"

#include "text/nativepath.h"

#include <QHash>
#include <sys/stat.h>

QStringList withoutRepeatedTexts(const QStringList &paths,
                                 const std::function<void(const QString &)> &note)
{
    QHash<QPair<quint64, quint64>, QString> firstOfFile;
    QStringList kept;
    NativePathBuffer buffer;
    for (const QString &path : paths) {
        struct stat status;
        if (::stat(buffer.encode(path), &status) != 0) {
            kept << path;
            continue;
        }
        const QPair<quint64, quint64> file(status.st_dev, status.st_ino);
        const auto first = firstOfFile.constFind(file);
        if (first == firstOfFile.constEnd()) {
            firstOfFile.insert(file, path);
            kept << path;
            continue;
        }
        note(QStringLiteral("%1 ist dieselbe Datei wie %2 und wird nur einmal durchsucht.")
                 .arg(shownPath(path), shownPath(*first)));
    }
    return kept;
}
