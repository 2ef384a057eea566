#pragma once

#include "text/sourceencoding.h"

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
    // Set when the file's text went on beyond what the preview takes of it.
    bool cut = false;
};

// The most of a text that the preview shows, in bytes of the file (characters of the text). The
// control needs about a second for 4 MB of text on a small machine, and the time grows with the
// length; its beginning, some 2,000 pages, is enough to see what a longer text is.
constexpr qsizetype previewTextLimit = 4 * 1024 * 1024;

// The Windows-1252 text, whose lines already end in CR LF by the loading rule, as the preview's
// line, decoded straight from the bytes.
PreviewLine markLineBreaks(const QByteArray &text);

// The text of the file path, read in encoding, by the loading rule as the preview's line, no more
// than its first previewTextLimit bytes. Throws QvxError when the file cannot be read.
PreviewLine loadPreviewLine(const QString &path,
                            SourceEncoding encoding = SourceEncoding::Windows1252);
