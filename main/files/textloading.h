#pragma once

#include "errors/qvxerror.h"
#include "files/fileidentity.h"
#include "files/growbuffer.h"
#include "text/nativepath.h"
#include "text/sourceencoding.h"

#include <QByteArray>
#include <QString>
#include <exception>
#include <limits>
#include <string>
#include <string_view>

// Reads the text bytes of the file into buffer, replacing its content: the whole file as it was
// when opened, up to its first NUL, where the text ends. Only regular files (after links) are
// read. Throws QvxError "Datei <path> kann nicht geöffnet werden. <reason>" with a German reason.
void readWholeFile(const QString &path, QByteArray &buffer);

// The same, but no more than limit bytes; returns whether the text went on beyond them.
bool readFileStart(const QString &path, QByteArray &buffer, qsizetype limit);

// The line rule of text loading on raw bytes: the first NUL ends the text; CR LF, a lone CR and
// a lone LF each end a line; every line, the last one included, is written back with CR LF.
// The bytes stay Windows-1252. An empty input, or one that starts with NUL, gives an empty out.
void normalizeLineBreaks(const char *data, qsizetype size, QByteArray &out);

// A file larger than a loader's size limit.
class TextTooLarge : public QvxError
{
public:
    TextTooLarge();
};

// Loads source texts for the search, one after another, into buffers that it reuses from file to
// file. What it returns stays valid until its next load.
class TextLoader
{
public:
    struct Utf8Text
    {
        std::string_view utf8;
        // Length of the text in UTF-16 code units.
        qsizetype length = 0;
    };

    // Files larger than sizeLimit bytes are not loaded: the load throws TextTooLarge, so that a
    // loader that works ahead of the search keeps no buffers of a size the search would not need.
    explicit TextLoader(SourceEncoding encoding = SourceEncoding::Windows1252,
                        qsizetype sizeLimit = std::numeric_limits<qsizetype>::max())
        : m_encoding(encoding), m_sizeLimit(sizeLimit)
    {
    }

    SourceEncoding encoding() const { return m_encoding; }

    // The file's text in UTF-8, read in the loader's encoding.
    Utf8Text loadUtf8(const QString &path);
    // The text of a file kept in UTF-8 (see decodeUtf8Text), which the caller may change in place.
    QString &loadUtf16(const QString &path);
    // The file's text in Windows-1252, one byte per UTF-16 code unit; with lowerCase every byte
    // stands for the lower-case form of its character. Without lineRule the line breaks stay as
    // the file has them (the text still ends at its first NUL): a search for strings without CR
    // and LF finds the same in both.
    std::string_view loadWindows1252(const QString &path, bool lowerCase, bool lineRule = true);

    // The state of the file of the last load when it was opened.
    const FileIdentity &identity() const { return m_identity; }

private:
    // Reads the file's text bytes (see readWholeFile) with as few system calls as it can.
    std::string_view readRaw(const QString &path);

    Utf8Text loadUtf8FromUtf8(const QString &path);

    SourceEncoding m_encoding;
    qsizetype m_sizeLimit;
    FileIdentity m_identity;
    GrowBuffer m_raw;
    GrowBuffer m_utf8;
    QByteArray m_normalized;
    QString m_utf16;
    NativePathBuffer m_path;
};
