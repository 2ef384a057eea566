#include "preview/linemarker.h"

#include <QStringView>

QString markLineBreaks(const QString &text)
{
    // QString::replace moves the rest of the text again for every batch of replacements, which
    // takes long on a text of many megabytes; one pass that copies forwards does not.
    const QString marker = lineBreakMarker();
    const QStringView lineBreak = u"\r\n";
    const QStringView source(text);
    QString line;
    line.reserve(text.size() + source.count(lineBreak) * (marker.size() - lineBreak.size()));
    qsizetype from = 0;
    for (qsizetype at = source.indexOf(lineBreak); at >= 0; at = source.indexOf(lineBreak, from)) {
        line += source.mid(from, at - from);
        line += marker;
        from = at + lineBreak.size();
    }
    line += source.mid(from);
    return line;
}
