#pragma once

// How the bytes of a source text are read. The window reads Windows-1252 only; UTF-8 serves
// corpora that are kept in it.
enum class SourceEncoding
{
    Windows1252,
    Utf8,
};
