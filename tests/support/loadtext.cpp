#include "loadtext.h"

#include "files/textloading.h"
#include "text/codepage.h"

#include <QByteArray>

QString loadText(const QString &path)
{
    QByteArray raw;
    readWholeFile(path, raw);
    QByteArray normalized;
    normalizeLineBreaks(raw.constData(), raw.size(), normalized);
    return cp1252::decode(normalized);
}
