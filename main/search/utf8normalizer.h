#pragma once

#include <QtGlobal>

// The room normalizeToUtf8 needs for size input bytes: three UTF-8 bytes for every input byte at
// most, the line break of an open last line, and slack for its word-sized stores.
constexpr qsizetype normalizedUtf8Capacity(qsizetype size)
{
    return 3 * size + 2 + 16;
}

struct NormalizedUtf8
{
    // UTF-8 bytes written.
    qsizetype bytes = 0;
    // Length of the same text in UTF-16 code units.
    qsizetype units = 0;
};

// The line rule of text loading (see normalizeLineBreaks) and the conversion from Windows-1252 to
// UTF-8 in one pass over the raw bytes, writing to out, which has room for
// normalizedUtf8Capacity(size) bytes. Stretches of plain ASCII are copied a block at a time
// and CR LF passes through as it is, which is what most source text consists of.
NormalizedUtf8 normalizeToUtf8(const char *data, qsizetype size, char *out);
