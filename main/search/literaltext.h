#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>
#include <string_view>

// A regular expression that is a plain string: each of its characters matches only itself, so
// its matches in a decoded Windows-1252 text are those of its own Windows-1252 bytes in the
// text's bytes, one for one. Without CR and LF it finds the same before and after the line rule.
// Nothing for a pattern with a character that PCRE2 reads otherwise (a metacharacter or an
// escape), a control character, or one that Windows-1252 does not hold; and for the empty one.
std::optional<QByteArray> literalWindows1252(const QString &pattern);

// The matches of a non-empty literal by the counting rule of the patterns: each search starts
// where the last match ended.
qint64 countLiteral(std::string_view text, QByteArrayView literal);

bool containsLiteral(std::string_view text, QByteArrayView literal);
