#include "preview/linemarker.h"

QString markLineBreaks(const QString &text)
{
    QString line = text;
    line.replace(QStringLiteral("\r\n"), lineBreakMarker());
    return line;
}
