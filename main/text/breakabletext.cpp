#include "text/breakabletext.h"

namespace {

// Words up to this length stay as they are; a box of usual width takes them on one line.
constexpr qsizetype longWord = 60;
constexpr qsizetype longestPiece = 40;
const QChar wrapPlace(0x200B);

void appendWord(QString &out, QStringView word)
{
    if (word.size() <= longWord) {
        out += word;
        return;
    }
    qsizetype piece = 0;
    for (const QChar c : word) {
        out += c;
        ++piece;
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || piece >= longestPiece) {
            out += wrapPlace;
            piece = 0;
        }
    }
}

} // namespace

QString withWrapPlacesInLongWords(const QString &text)
{
    QString out;
    out.reserve(text.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !text[i].isSpace())
            continue;
        appendWord(out, QStringView(text).mid(start, i - start));
        if (i < text.size())
            out += text[i];
        start = i + 1;
    }
    return out;
}
