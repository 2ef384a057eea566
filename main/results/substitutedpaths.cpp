#include "results/substitutedpaths.h"

#include "text/codepage.h"
#include "text/nativepath.h"

#include <QDir>

namespace {

// Enough to recognise the problem; a list of thousands would not fit on the screen.
constexpr qsizetype shownPaths = 10;

} // namespace

QString pathInLine(const QString &path)
{
    QString line = path;
    line.replace(QLatin1Char('\r'), QLatin1Char('?')).replace(QLatin1Char('\n'), QLatin1Char('?'));
    return line;
}

QStringList unrepresentablePaths(const QStringList &paths)
{
    QStringList found;
    for (const QString &path : paths) {
        // The encoder writes one byte for every character, '?' for one it cannot hold.
        if (path.contains(QLatin1Char('\r')) || path.contains(QLatin1Char('\n')) ||
            cp1252::encode(path).count('?') != path.count(QLatin1Char('?')))
            found << shownPath(path);
    }
    return found;
}

QString substitutedPathsNote(const QStringList &paths)
{
    QString note = paths.size() == 1
                       ? QStringLiteral("Achtung: Dieser Pfad enthält Zeichen, die es in "
                                        "Windows-1252 nicht gibt. In der Datei steht an deren "
                                        "Stelle ein „?“, so dass der Eintrag nicht zu seinem "
                                        "Text führt:")
                       : QStringLiteral("Achtung: Diese %1 Pfade enthalten Zeichen, die es in "
                                        "Windows-1252 nicht gibt. In der Datei steht an deren "
                                        "Stelle ein „?“, so dass die Einträge nicht zu ihren "
                                        "Texten führen:")
                             .arg(paths.size());
    for (qsizetype i = 0; i < qMin(paths.size(), shownPaths); ++i)
        note += QStringLiteral("\r\n") + QDir::toNativeSeparators(paths[i]);
    if (paths.size() > shownPaths)
        note += QStringLiteral("\r\n… und %1 weitere").arg(paths.size() - shownPaths);
    return note;
}
