#pragma once

// How the bytes of a source text are read. UTF-8 serves corpora that are kept in it; Automatic
// decides per text: a text of well-formed UTF-8 with at least one multi-byte sequence is read
// as UTF-8, every other as Windows-1252.
enum class SourceEncoding
{
    Windows1252,
    Utf8,
    Automatic,
};
