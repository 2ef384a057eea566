#include "repeatedtexts.h"

#include "text/nativepath.h"

QString RepeatedTexts::firstPathOf(const FileIdentity &file, const QString &path)
{
    const QPair<quint64, quint64> key(file.device, file.inode);
    const auto first = m_firstOfFile.constFind(key);
    if (first != m_firstOfFile.constEnd())
        return *first;
    m_firstOfFile.insert(key, path);
    return QString();
}

QString repeatedTextNote(const QString &path, const QString &first)
{
    return QStringLiteral("%1 ist dieselbe Datei wie %2 und wird nur einmal durchsucht.")
        .arg(shownPath(path), shownPath(first));
}
