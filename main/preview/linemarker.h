#pragma once

#include <QString>

// While the matches are sought and marked, the preview holds its text as one line in which this
// marker stands for every line break; a marker that the marks leave whole becomes a paragraph
// break afterwards.
inline QString lineBreakMarker()
{
    return QStringLiteral("<<>>");
}

// The text with every CR LF replaced by the marker, left to right.
QString markLineBreaks(const QString &text);
