#include "errors/qvxerror.h"
#include "fixtures.h"
#include "loadtext.h"
#include "preview/formatruns.h"
#include "preview/linemarker.h"
#include "text/codepage.h"

#include <QString>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

PreviewPiece text(qsizetype start, qsizetype length, Mark mark = Mark::None)
{
    return {start, length, mark};
}

// The line with the matches marked and breakAtMarkers applied, written out piece by piece:
// "[R:...]" a search mark, "[H:...]" a weighting mark, "¶" a paragraph separator.
std::string shown(const QString &line, const std::vector<std::pair<int, int>> &searchMatches,
                  const std::vector<std::pair<int, int>> &weightingMatches = {})
{
    CharacterMarks marks(line.size());
    for (auto [start, length] : searchMatches)
        marks.mark(start, length, Mark::Search);
    for (auto [start, length] : weightingMatches)
        marks.mark(start, length, Mark::Weighting);
    QString text = line;
    std::vector<PreviewPiece> pieces = marks.runs();
    breakAtMarkers(text, pieces);

    QString out;
    qsizetype covered = 0;
    for (const PreviewPiece &piece : pieces) {
        EXPECT_EQ(piece.start, covered) << "the pieces must cover the text in order";
        covered += piece.length;
        const QString part = text.mid(piece.start, piece.length)
                                 .replace(QChar(QChar::ParagraphSeparator), QStringLiteral("¶"));
        if (piece.mark == Mark::None)
            out += part;
        else
            out += QStringLiteral("[%1:%2]")
                       .arg(piece.mark == Mark::Search ? QLatin1Char('R') : QLatin1Char('H'))
                       .arg(part);
    }
    EXPECT_EQ(covered, text.size());
    return out.toStdString();
}

} // namespace

TEST(CharacterMarks, RunsAreMaximalAndWeightingMarksWin)
{
    CharacterMarks marks(10);
    marks.mark(1, 2, Mark::Search);
    // Adjacent matches of one kind form one run.
    marks.mark(3, 2, Mark::Search);
    marks.mark(4, 3, Mark::Weighting);
    // Empty matches and the part beyond the line change nothing.
    marks.mark(0, 0, Mark::Weighting);
    marks.mark(9, 5, Mark::Search);
    marks.mark(12, 2, Mark::Weighting);
    const std::vector<PreviewPiece> expected = {text(0, 1), text(1, 3, Mark::Search),
                                                text(4, 3, Mark::Weighting), text(7, 2),
                                                text(9, 1, Mark::Search)};
    EXPECT_EQ(marks.runs(), expected);
    EXPECT_TRUE(CharacterMarks(0).runs().empty());

    // Matches that come out of order or overlap within one kind, and a search match that
    // arrives after the weighting match covering it.
    CharacterMarks mixed(12);
    mixed.mark(8, 2, Mark::Search);
    mixed.mark(1, 4, Mark::Search);
    mixed.mark(3, 3, Mark::Search);
    mixed.mark(4, 1, Mark::Weighting);
    mixed.mark(3, 2, Mark::Search);
    mixed.mark(-3, 4, Mark::Weighting);
    EXPECT_EQ(mixed.runs(),
              std::vector<PreviewPiece>({text(0, 1, Mark::Weighting), text(1, 3, Mark::Search),
                                         text(4, 1, Mark::Weighting), text(5, 1, Mark::Search),
                                         text(6, 2), text(8, 2, Mark::Search), text(10, 2)}));
}

TEST(LineMarkers, EveryCrLfBecomesAMarker)
{
    EXPECT_EQ(markLineBreaks("a\r\nb\r\n").line, QStringLiteral("a<<>>b<<>>"));
    EXPECT_EQ(markLineBreaks("\r\n\r\nx").line, QStringLiteral("<<>><<>>x"));
    EXPECT_EQ(markLineBreaks("ohne Umbruch").line, QStringLiteral("ohne Umbruch"));
    EXPECT_EQ(markLineBreaks(QByteArray()).line, QString());
    // A CR without LF is a character of the line.
    EXPECT_EQ(markLineBreaks("a\rb\r\r\nc\r").line, QStringLiteral("a\rb\r<<>>c\r"));
}

TEST(LineMarkers, TheSubjectIsTheLineInUtf8FollowedByCrLf)
{
    // Every byte value, line breaks, a lone CR and a marker typed in the text.
    QByteArray text;
    for (int b = 1; b < 256; ++b) {
        text += char(b);
        if (b % 37 == 0)
            text += "\r\n<<>>\r\n\r";
    }
    text += "\r\n";
    const PreviewLine marked = markLineBreaks(text);
    EXPECT_EQ(marked.line, cp1252::decode(text).replace(QStringLiteral("\r\n"), lineBreakMarker()));
    EXPECT_EQ(marked.subject, marked.line.toStdString() + "\r\n");
    EXPECT_EQ(markLineBreaks(QByteArray()).subject, "\r\n");
}

TEST(LineMarkers, AFileIsReadByTheLoadingRuleOfTheSearch)
{
    TempCorpus corpus;
    const QString path = corpus.write(QStringLiteral("t.txt"),
                                      QByteArray("\x80r\xe4ume\rzwei\ndrei\r\n\r\rvier<<>>\n\nf\xfc"
                                                 "nf\r\n\x81\x00"
                                                 "danach",
                                                 44));
    const QString expected = loadText(path).replace(QStringLiteral("\r\n"), lineBreakMarker());
    ASSERT_EQ(expected, QStringLiteral("\u20ACräume<<>>zwei<<>>drei<<>><<>><<>>vier<<>><<>><<>>"
                                       "fünf<<>>\u0081<<>>"));
    const PreviewLine loaded = loadPreviewLine(path);
    EXPECT_EQ(loaded.line, expected);
    EXPECT_EQ(loaded.subject, expected.toStdString() + "\r\n");

    EXPECT_EQ(loadPreviewLine(corpus.write(QStringLiteral("leer.txt"), "")).line, QString());
    EXPECT_THROW(loadPreviewLine(corpus.filePath(QStringLiteral("fehlt.txt"))), QvxError);
}

TEST(BreakAtMarkers, MarkersWithinOneRunBecomeBreaks)
{
    EXPECT_EQ(shown(QString(), {}), "");

    const QString line = QStringLiteral("ab<<>><<>>c<<>>");
    EXPECT_EQ(shown(line, {}), "ab¶¶c¶");
    // A match across a line end keeps the marker whole, and so do two adjacent matches of one
    // kind that meet inside it.
    EXPECT_EQ(shown(line, {{1, 5}}), "a[R:b¶]¶c¶");
    EXPECT_EQ(shown(line, {{1, 3}, {4, 2}}), "a[R:b¶]¶c¶");
    // A match of exactly the marker's characters leaves it whole as well.
    EXPECT_EQ(shown(QStringLiteral("a<<>>b"), {}, {{1, 4}}), "a[H:¶]b");
    // A line ending in "<" followed by one starting with ">".
    EXPECT_EQ(shown(QStringLiteral("x<<<>>>y"), {}), "x<¶>y");
}

TEST(BreakAtMarkers, MarkersCutByAChangeOfMarkStayText)
{
    // A match that ends inside a marker.
    EXPECT_EQ(shown(QStringLiteral("ab<<>>c<<>>"), {{0, 3}}), "[R:ab<]<>>c¶");
    // A search match and a weighting match that meet inside a marker.
    EXPECT_EQ(shown(QStringLiteral("a<<>>b"), {{0, 3}}, {{3, 3}}), "[R:a<<][H:>>b]");
    // A weighting match inside a search match cuts the marker that it overlaps.
    EXPECT_EQ(shown(QStringLiteral("a<<>>b"), {{0, 6}}, {{0, 2}}), "[H:a<][R:<>>b]");
}
