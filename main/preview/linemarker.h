#pragma once

#include <QByteArray>
#include <QString>
#include <string>

// While the matches are sought and marked, the preview holds its text as one line in which this
// marker stands for every line break; a marker that the marks leave whole becomes a paragraph
// break afterwards.
inline QString lineBreakMarker()
{
    return QStringLiteral("<<>>");
}

// A text prepared for the preview's search.
struct PreviewLine
{
    // The text as one line, every CR LF replaced by the marker, left to right.
    QString line;
    // The line in UTF-8 followed by CR LF: what the patterns search.
    std::string subject;
};

// The Windows-1252 text, whose lines already end in CR LF by the loading rule, as the preview's
// line, decoded straight from the bytes.
PreviewLine markLineBreaks(const QByteArray &text);

// The text of the file path by the loading rule as the preview's line. Throws QvxError when the
// file cannot be read.
PreviewLine loadPreviewLine(const QString &path);
