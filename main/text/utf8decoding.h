#pragma once

#include <QString>
#include <optional>

// The text of a source file kept in UTF-8: a byte-order mark at the start is dropped, every byte
// that does not belong to a well-formed sequence (a stray continuation byte, a cut or overlong
// sequence, an encoded surrogate, a code point beyond U+10FFFF) becomes one U+FFFD, and the line
// rule of text loading applies as for Windows-1252 (CR LF, a lone CR and a lone LF each end a
// line; every line, the last one included, ends in CR LF). The input holds no NUL: the text ends
// at the first one before it gets here. Replaces the content of out.
void decodeUtf8Text(const char *data, qsizetype size, QString &out);

// The bytes of the UTF-8 sequence that lead begins, or 0 when it begins none.
int utf8SequenceLength(unsigned char lead);
// The code point of the length bytes at sequence, length as utf8SequenceLength gives it for the
// first byte; nothing when they are not well-formed (a byte that does not continue the sequence,
// an overlong form, an encoded surrogate, a code point beyond U+10FFFF).
std::optional<char32_t> utf8SequenceValue(const unsigned char *sequence, int length);

// What the piecewise forms below carry from one piece of a text to the next.
struct Utf8Decoding
{
    // Whether the start of the text, where a byte-order mark may stand, is behind.
    bool started = false;
    // The last character written is not a line break: the text's end adds one.
    bool openLine = false;
    // UTF-16 code units written so far.
    qsizetype units = 0;
};

// The room a piece of size bytes may take at most: three UTF-8 bytes, or two UTF-16 code units,
// for every byte, and the line break of an open last line.
constexpr qsizetype decodedUtf8Capacity(qsizetype size)
{
    return 3 * size + 2;
}
constexpr qsizetype decodedUtf16Capacity(qsizetype size)
{
    return 2 * size + 2;
}

// decodeUtf8Text for a text that arrives in pieces: writes the text of a piece at out, as UTF-8
// or UTF-16, and moves out past it. Returns the bytes of data taken: unless last, what cannot be
// decided before the next bytes (a sequence or byte-order mark cut short, a CR that may begin
// a CR LF, at most three bytes) is left for the caller to hand in again in front of the next
// piece. The last piece ends the text.
qsizetype decodeUtf8Piece(const char *data, qsizetype size, bool last, char *&out,
                          Utf8Decoding &state);
qsizetype decodeUtf8Piece(const char *data, qsizetype size, bool last, char16_t *&out,
                          Utf8Decoding &state);
