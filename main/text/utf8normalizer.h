#pragma once

#include <QtGlobal>

// Room beyond the text for the line break of an open last line and for the block-sized stores,
// which may write past the bytes they keep.
constexpr qsizetype kUtf8Slack = 64;

// The room normalizeToUtf8 needs at most for size input bytes: three UTF-8 bytes for every input
// byte.
constexpr qsizetype normalizedUtf8Capacity(qsizetype size)
{
    return 3 * size + kUtf8Slack;
}

// Room for nearly every real text: in Western European text only a few characters in a hundred
// take more than one UTF-8 byte. A text that needs more is decoded again with the full room.
constexpr qsizetype likelyUtf8Capacity(qsizetype size)
{
    return size + size / 4 + kUtf8Slack;
}

struct NormalizedUtf8
{
    // False when the room ran out before the end; the other fields are then meaningless.
    bool complete = true;
    // UTF-8 bytes written.
    qsizetype bytes = 0;
    // Length of the same text in UTF-16 code units.
    qsizetype units = 0;
};

// The line rule of text loading (see normalizeLineBreaks) and the conversion from Windows-1252 to
// UTF-8 in one pass over the raw bytes, writing at most room bytes to out. With room of
// normalizedUtf8Capacity(size) the text is always complete. Stretches of plain ASCII are copied a
// block at a time and CR LF passes through as it is, which is what most source text consists of.
NormalizedUtf8 normalizeToUtf8(const char *data, qsizetype size, char *out, qsizetype room);

// The same with SSE2 alone, as it runs on x86-64 processors without SSSE3 (elsewhere the portable
// form below).
NormalizedUtf8 normalizeToUtf8Sse2(const char *data, qsizetype size, char *out, qsizetype room);

// The same with machine words instead of SSE2 instructions, as it runs on processors without them;
// the tests hold all three to the same results.
NormalizedUtf8 normalizeToUtf8Portable(const char *data, qsizetype size, char *out, qsizetype room);

// What normalizePieceToUtf8 carries from one piece of a text to the next.
struct Utf8Normalizing
{
    // The last byte taken was not a line break: the text's end adds one.
    bool openLine = false;
    // UTF-8 bytes written beyond the first of each character; the UTF-16 length of the text is
    // the bytes written less these.
    qsizetype continuationBytes = 0;
};

// normalizeToUtf8 for a text that arrives in pieces, writing at out (with room for
// normalizedUtf8Capacity(size)) and moving it past what it wrote. Returns the bytes of data
// taken: unless last, a CR that ends the piece may begin a CR LF and is left for the caller to
// hand in again in front of the next piece. The last piece, or a NUL, ends the text.
qsizetype normalizePieceToUtf8(const char *data, qsizetype size, bool last, char *&out,
                               Utf8Normalizing &state);
