#pragma once

#include <QString>

// The text of a source file kept in UTF-8: a byte-order mark at the start is dropped, every byte
// that does not belong to a well-formed sequence (a stray continuation byte, a cut or overlong
// sequence, an encoded surrogate, a code point beyond U+10FFFF) becomes one U+FFFD, and the line
// rule of text loading applies as for Windows-1252 (CR LF, a lone CR and a lone LF each end a
// line; every line, the last one included, ends in CR LF). The input holds no NUL: the text ends
// at the first one before it gets here. Replaces the content of out.
void decodeUtf8Text(const char *data, qsizetype size, QString &out);
