#include "repeatedtexts.h"

#include "text/nativepath.h"

QString RepeatedTexts::firstPathOf(const FileIdentity &file, const QString &path)
{
    // One look-up for both the question and the entry; no path is empty.
    QString &first = m_firstOfFile[{file.device, file.inode}];
    if (!first.isEmpty())
        return first;
    first = path;
    return QString();
}

QString repeatedTextNote(const QString &path, const QString &first)
{
    return QStringLiteral("%1 ist dieselbe Datei wie %2 und wird nur einmal durchsucht.")
        .arg(shownPath(path), shownPath(first));
}
