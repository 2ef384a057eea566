#pragma once

#include <QString>

// How the bytes of a source text are read. UTF-8 serves corpora that are kept in it; Automatic
// decides per text: a text of well-formed UTF-8 with at least one multi-byte sequence is read
// as UTF-8, every other as Windows-1252.
enum class SourceEncoding
{
    Windows1252,
    Utf8,
    Automatic,
};

// The encoding's name as qvx-cli's --encoding takes it and as a subcorpus record keeps it.
inline QString sourceEncodingName(SourceEncoding encoding)
{
    switch (encoding) {
    case SourceEncoding::Utf8:
        return QStringLiteral("utf-8");
    case SourceEncoding::Automatic:
        return QStringLiteral("auto");
    case SourceEncoding::Windows1252:
        break;
    }
    return QStringLiteral("windows-1252");
}
