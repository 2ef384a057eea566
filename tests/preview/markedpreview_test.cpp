#include "preview/markedpreview.h"
#include "search/pattern.h"
#include "text/codepage.h"

#include <QString>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<qsizetype, qsizetype>> matches(const char *pattern,
                                                     const std::string &subject)
{
    std::vector<std::pair<qsizetype, qsizetype>> found;
    Pattern(QString::fromUtf8(pattern))
        .forEachMatch(
            subject, [&](qsizetype start, qsizetype length) { found.emplace_back(start, length); });
    return found;
}

// The pieces as text: "[R:...]" a search mark, "[H:...]" a weighting mark, "¶" a paragraph break.
std::string rendered(const MarkedPreview &preview)
{
    QString out;
    for (const PreviewPiece &piece : preview.pieces) {
        const QString text = preview.text.mid(piece.start, piece.length)
                                 .replace(QChar(QChar::ParagraphSeparator), QStringLiteral("¶"));
        switch (piece.mark) {
        case Mark::None:
            out += text;
            break;
        case Mark::Search:
            out += QStringLiteral("[R:%1]").arg(text);
            break;
        case Mark::Weighting:
            out += QStringLiteral("[H:%1]").arg(text);
            break;
        }
    }
    return out.toStdString();
}

// The preview of a text whose lines end in CR LF.
MarkedPreview markText(const QString &text, const QString &search, const QString &weighting)
{
    return markPreview(markLineBreaks(cp1252::encode(text)), search, weighting);
}

std::string rendered(const char *text, const char *search, const char *weighting = "")
{
    return rendered(
        markText(QString::fromUtf8(text), QString::fromUtf8(search), QString::fromUtf8(weighting)));
}

using Ranges = std::vector<std::pair<qsizetype, qsizetype>>;

} // namespace

TEST(MatchPositions, CountUtf16CodeUnitsByTheCountingRule)
{
    EXPECT_EQ(matches("b", "äb€b"), Ranges({{1, 1}, {3, 1}}));
    EXPECT_EQ(matches("ä+", "aää"), Ranges({{1, 2}}));
    EXPECT_EQ(matches("aa", "aaaaa"), Ranges({{0, 2}, {2, 2}}));
    // Empty matches, one per character position, CR and LF counting as two.
    EXPECT_EQ(matches("x*", "ä\r\n"), Ranges({{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
    // A character outside the basic plane is two code units.
    EXPECT_EQ(matches(".", "😀a"), Ranges({{0, 2}, {2, 1}}));
    EXPECT_TRUE(matches("z", "abc").empty());
}

TEST(MarkPreview, MarksSearchThenWeightingMatchesCaseSensitively)
{
    EXPECT_EQ(rendered("Heute ist Montag\r\nund Dienstag\r\n", "Montag|Dienstag", "tag"),
              "Heute ist [R:Mon][H:tag]¶und [R:Diens][H:tag]¶");
    EXPECT_EQ(rendered("Heute und heute\r\n", "heute"), "Heute und [R:heute]¶");
    EXPECT_EQ(rendered("z.B. zaBx\r\n", "z.B."), "[R:z.B.] [R:zaBx]¶");
    // Empty matches mark nothing.
    EXPECT_EQ(rendered("ab\r\n", "x*"), "ab¶");
    EXPECT_EQ(rendered("", "x*", "y*"), "");
}

TEST(MarkPreview, PatternsSeeMarkersAndTheClosingLineBreak)
{
    // White space across a line end does not match: the marker stands there.
    EXPECT_EQ(rendered("ein Wort\r\nEnde\r\n", "Wort\\s+Ende"), "ein Wort¶Ende¶");
    EXPECT_EQ(rendered("sowohl A\r\nals auch B\r\n", "sowohl.{0,100}als auch"),
              "[R:sowohl A¶als auch] B¶");
    // A match that reaches into a marker leaves it as text.
    EXPECT_EQ(rendered("Ende\r\nzwei\r\n", "de<"), "En[R:de<]<>>zwei¶");
    // The text ends with CR LF after the line, where "\s" matches.
    EXPECT_EQ(rendered("ab\r\n", ">\\s"), "ab<<>[R:>]");
    // A marker typed in the text is taken for a line break.
    EXPECT_EQ(rendered("a<<>>b\r\n", "b"), "a¶[R:b]¶");
}

TEST(MarkPreview, AnInvalidPatternLeavesTheLineAsFarAsMarked)
{
    const MarkedPreview badSearch =
        markText(QStringLiteral("x (abc y\r\n"), QStringLiteral("(abc"), QStringLiteral("y"));
    ASSERT_TRUE(badSearch.error);
    EXPECT_EQ(badSearch.error->reason,
              QStringLiteral("Fehler in regulärem Ausdruck bei Offset 4: missing closing "
                             "parenthesis"));
    EXPECT_EQ(rendered(badSearch), "x (abc y<<>>");

    const MarkedPreview badWeighting =
        markText(QStringLiteral("x (abc y\r\nz\r\n"), QStringLiteral("abc"), QStringLiteral("["));
    ASSERT_TRUE(badWeighting.error);
    EXPECT_EQ(badWeighting.error->reason,
              QStringLiteral("Fehler in regulärem Ausdruck bei Offset 1: missing terminating ] "
                             "for character class"));
    EXPECT_EQ(rendered(badWeighting), "x ([R:abc] y<<>>z<<>>");

    EXPECT_FALSE(markText(QStringLiteral("a\r\n"), QStringLiteral("a"), QString()).error);
}
