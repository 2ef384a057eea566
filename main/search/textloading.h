#pragma once

#include <QByteArray>
#include <QString>
#include <string>

// Reads the file whole into buffer, replacing its content. Throws QvxError
// "Datei <path> kann nicht geöffnet werden. <reason>" with a German reason.
void readWholeFile(const QString &path, QByteArray &buffer);

// The line rule of text loading on raw bytes: the first NUL ends the text; CR LF, a lone CR and
// a lone LF each end a line; every line, the last one included, is written back with CR LF.
// The bytes stay Windows-1252. An empty input, or one that starts with NUL, gives an empty out.
void normalizeLineBreaks(const char *data, qsizetype size, QByteArray &out);

// The text of a source file as search and preview see it.
QString loadText(const QString &path);

// Loads source texts for counting, straight to UTF-8, reusing its buffers from file to file.
class TextLoader
{
public:
    // Replaces utf8 by the file's text and returns the text's length in UTF-16 code units.
    qsizetype loadUtf8(const QString &path, std::string &utf8);

private:
    QByteArray m_raw;
    QByteArray m_normalized;
};
