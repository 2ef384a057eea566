#pragma once

#include <QtGlobal>

// What normalizePieceLineBreaks carries from one piece of a text to the next.
struct LineBreaking
{
    // The last byte taken was not a line break: the text's end adds one.
    bool openLine = false;
};

// The line rule of text loading (see normalizeLineBreaks) for a text without NUL that arrives
// in pieces: writes the piece at out, which has room for 2 * size + 2 bytes, and moves out past
// it. Returns the bytes of data taken: unless last, a CR that ends the piece may begin a CR LF
// and is left for the caller to hand in again in front of the next piece. The last piece ends
// the text.
qsizetype normalizePieceLineBreaks(const char *data, qsizetype size, bool last, char *&out,
                                   LineBreaking &state);

// The length of what the line rule makes of a text without NUL, without making it: one more byte
// for every lone CR and every lone LF, and a CR LF for an open last line.
qsizetype lineRuledLength(const char *data, qsizetype size);
