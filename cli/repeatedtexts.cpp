#include "repeatedtexts.h"

#include "text/nativepath.h"

qsizetype RepeatedTexts::firstTextOf(const FileIdentity &file, qsizetype i)
{
    // One look-up for both the question and the entry. Places are kept one up, so that the 0 of
    // a new entry says that there was none.
    qsizetype &firstPlusOne = m_firstOfFile[{file.device, file.inode}];
    if (firstPlusOne != 0)
        return firstPlusOne - 1;
    firstPlusOne = i + 1;
    return -1;
}

QString repeatedTextNote(const QString &path, const QString &first)
{
    return QStringLiteral("%1 ist dieselbe Datei wie %2 und wird nur einmal durchsucht.")
        .arg(shownPath(path), shownPath(first));
}
