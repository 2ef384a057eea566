#include "fixtures.h"
#include "preview/formatruns.h"
#include "preview/linemarker.h"
#include "search/codepage.h"
#include "search/qvxerror.h"
#include "search/textloading.h"

#include <QString>
#include <gtest/gtest.h>
#include <vector>

namespace {

PreviewPiece text(qsizetype start, qsizetype length, Mark mark = Mark::None)
{
    return {start, length, mark, false};
}

PreviewPiece paragraph(qsizetype start, Mark mark = Mark::None)
{
    return {start, 4, mark, true};
}

std::vector<PreviewPiece> pieces(const QString &line,
                                 const std::vector<std::pair<int, int>> &searchMatches,
                                 const std::vector<std::pair<int, int>> &weightingMatches = {})
{
    CharacterMarks marks(line.size());
    for (auto [start, length] : searchMatches)
        marks.mark(start, length, Mark::Search);
    for (auto [start, length] : weightingMatches)
        marks.mark(start, length, Mark::Weighting);
    return breakAtMarkers(line, marks.runs());
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
    EXPECT_TRUE(pieces(QString(), {}).empty());

    const QString line = QStringLiteral("ab<<>><<>>c<<>>");
    EXPECT_EQ(pieces(line, {}), std::vector<PreviewPiece>({text(0, 2), paragraph(2), paragraph(6),
                                                           text(10, 1), paragraph(11)}));
    // A match across a line end keeps the marker whole, and so do two adjacent matches of one
    // kind that meet inside it.
    const std::vector<PreviewPiece> acrossLineEnd = {text(0, 1),
                                                     text(1, 1, Mark::Search),
                                                     paragraph(2, Mark::Search),
                                                     paragraph(6),
                                                     text(10, 1),
                                                     paragraph(11)};
    EXPECT_EQ(pieces(line, {{1, 5}}), acrossLineEnd);
    EXPECT_EQ(pieces(line, {{1, 3}, {4, 2}}), acrossLineEnd);
    // A match of exactly the marker's characters leaves it whole as well.
    EXPECT_EQ(pieces(QStringLiteral("a<<>>b"), {}, {{1, 4}}),
              std::vector<PreviewPiece>({text(0, 1), paragraph(1, Mark::Weighting), text(5, 1)}));
    // A line ending in "<" followed by one starting with ">".
    EXPECT_EQ(pieces(QStringLiteral("x<<<>>>y"), {}),
              std::vector<PreviewPiece>({text(0, 2), paragraph(2), text(6, 2)}));
}

TEST(BreakAtMarkers, MarkersCutByAChangeOfMarkStayText)
{
    // A match that ends inside a marker.
    EXPECT_EQ(pieces(QStringLiteral("ab<<>>c<<>>"), {{0, 3}}),
              std::vector<PreviewPiece>({text(0, 3, Mark::Search), text(3, 4), paragraph(7)}));
    // A search match and a weighting match that meet inside a marker.
    EXPECT_EQ(pieces(QStringLiteral("a<<>>b"), {{0, 3}}, {{3, 3}}),
              std::vector<PreviewPiece>({text(0, 3, Mark::Search), text(3, 3, Mark::Weighting)}));
    // A weighting match inside a search match cuts the marker that it overlaps.
    EXPECT_EQ(pieces(QStringLiteral("a<<>>b"), {{0, 6}}, {{0, 2}}),
              std::vector<PreviewPiece>({text(0, 2, Mark::Weighting), text(2, 4, Mark::Search)}));
}
