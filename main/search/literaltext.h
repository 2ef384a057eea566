#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <string_view>

// A regular expression of plain strings: one, or several as alternatives ("Kinder|Schule"),
// each character of which matches only itself. Its matches in a decoded Windows-1252 text are
// those of the strings' own Windows-1252 bytes in the text's bytes, one for one, and without CR
// and LF the same before and after the line rule.
class LiteralText
{
public:
    // Nothing for a pattern with a character that PCRE2 reads otherwise (a metacharacter or an
    // escape), a control character, or one that Windows-1252 does not hold; and for an empty
    // pattern or alternative.
    static std::optional<LiteralText> of(const QString &pattern);

    // The matches by the counting rule of the patterns: the leftmost match, of the first
    // alternative that matches there, and the next search starts where it ended.
    qint64 count(std::string_view text) const;
    bool occursIn(std::string_view text) const;

private:
    explicit LiteralText(QList<QByteArray> alternatives) : m_alternatives(std::move(alternatives))
    {
    }

    QList<QByteArray> m_alternatives;
};
