#include "errors/qvxerror.h"
#include "files/textloading.h"
#include "fixtures.h"
#include "search/regexscan.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <random>
#include <string_view>

namespace {

// Prose of short words with umlauts, the line breaks of all three kinds and a few characters
// beyond Latin-1 (the Windows-1252 bytes 0x80 and 0x84).
QByteArray prose(std::mt19937 &random, int words)
{
    static const char *const kWords[] = {"Haus",      "und", "der",  "Der", "\xE4u\xDF",
                                         "ab",        "aab", "Ende", "e",   "\x80",
                                         "\x84Zitat", "s",   "b",    "Bar"};
    static const char *const kGaps[] = {" ", " ", " ", ".", "\r\n", "\n", "\r", "\r\n\r\n"};
    QByteArray text;
    for (int i = 0; i < words; ++i) {
        text += kWords[random() % std::size(kWords)];
        text += kGaps[random() % std::size(kGaps)];
    }
    return text;
}

std::string outcome(RegexScan &scan, const QString &path, TextLoader &loader,
                    const QString &weighting)
{
    try {
        const auto result = scan.evaluateStreamed(loader, path, [&] { return weighting; });
        if (!result)
            return "-";
        return QString("%1 %2 %3")
            .arg(result->f)
            .arg(result->proz, 0, 'g', 17)
            .arg(result->fB)
            .toStdString();
    } catch (const QvxError &error) {
        return error.message().toStdString();
    }
}

} // namespace

// A text that arrives in pieces of a few bytes is counted exactly as the whole text: matches
// across piece boundaries, at line breaks cut between CR and LF, empty matches at a window's end,
// lookbehinds into the text before a window, ^ and \A only at the text's start, $ and \z only at
// its end, and patterns that depend on where a search starts.
TEST(StreamedSearch, PiecesCountAsTheWholeText)
{
    const QStringList patterns = {"Haus",        "\\bund\\b",
                                  "(?m)^Der",    "^Der",
                                  "Ende$",       "(?m)e$",
                                  "\\Z",         "\\z",
                                  "$",           "",
                                  "x*",          "a\\Kb",
                                  "(?<=ä)u",     "(?<=(?<!a)a)b",
                                  "\\R",         "\\r\\n",
                                  "[äöüß]+",     "(?i)HAUS",
                                  "e.{0,5}n",    "\\w+",
                                  "(?s).",       "\\X",
                                  "(?<=\\bd)er", "a(?=b)",
                                  "a(?!\\w)",    "\\B",
                                  "ab|a",        "(?=e)",
                                  "^",           "(?m)^",
                                  "\\A.",        "..\\z",
                                  "s\\Z",        "\\G.",
                                  "(*COMMIT)ab", "\\x{20AC}",
                                  "\\x{201E}Z",  "(?<=\\r)\\n",
                                  "b(?=\\R)",    "(*NOTEMPTY_ATSTART)a*",
                                  "\\w++s",      "(?>ab|a)b",
                                  "(a|b)\\1",    "[[:alpha:]]{3,}+",
                                  "a\\C+",       "\\C",
                                  "(?0)?a"};
    std::mt19937 random(29);
    TempCorpus corpus;
    QStringList paths;
    for (int i = 0; i < 6; ++i)
        paths << corpus.write(QString("t%1.txt").arg(i), prose(random, 40 + 60 * i));
    paths << corpus.write("empty.txt", QByteArray());
    paths << corpus.write("cr.txt", "Haus\r");
    // The same texts in UTF-8, whose pieces may end inside a character.
    QList<SourceEncoding> encodings(paths.size(), SourceEncoding::Windows1252);
    TextLoader converter;
    for (qsizetype i = 0, n = paths.size(); i < n; ++i) {
        const std::string_view utf8 = converter.loadUtf8(paths[i]).utf8;
        paths << corpus.write(QString("utf8-%1.txt").arg(i),
                              QByteArray(utf8.data(), qsizetype(utf8.size())));
        encodings << SourceEncoding::Utf8;
    }

    for (const QString &pattern : patterns) {
        for (qsizetype i = 0; i < paths.size(); ++i) {
            const QString &path = paths[i];
            RegexScan whole(pattern, "Bar\\z");
            RegexScan pieces(pattern, "Bar\\z");
            TextLoader wholeLoader(encodings[i]);
            for (const int piece : {1, 3, 7}) {
                TextLoader pieceLoader(encodings[i]);
                pieceLoader.setPieceSize(piece);
                EXPECT_EQ(outcome(pieces, path, pieceLoader, "(?<=a)b|^"),
                          outcome(whole, path, wholeLoader, "(?<=a)b|^"))
                    << pattern.toStdString() << " on " << path.toStdString() << " in pieces of "
                    << piece;
            }
        }
    }
}

// A text that grows after it was opened is read to the size it had then; one that shrinks, to its
// new end. Both hold in windows as in one piece.
TEST(StreamedSearch, ReadsTheSizeAtOpening)
{
    TempCorpus corpus;
    const QByteArray text = QByteArray("Haus und Haus\r\n").repeated(40);
    for (const bool grows : {true, false}) {
        const QString path = corpus.write("t.txt", text);
        TextLoader loader;
        loader.setPieceSize(5);
        loader.setOpenedHook([&](qint64) {
            QFile file(path);
            if (grows)
                EXPECT_TRUE(file.open(QIODevice::Append) && file.write("Haus Haus") == 9);
            else
                EXPECT_TRUE(file.resize(text.size() / 2));
        });
        RegexScan scan("Haus", QString());
        const auto result = scan.evaluateStreamed(loader, path, [] { return QString(); });
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(result->f, grows ? 80 : 40);
    }
}

// A weighting pattern in error is reported at a text that the positive pattern matches, and
// only there, also for a text that is searched in windows.
TEST(StreamedSearch, AWeightingInErrorCountsOnlyWhereThePatternMatches)
{
    TempCorpus corpus;
    const QString found = corpus.write("found.txt", QByteArray("Ein Haus.\r\n").repeated(50));
    const QString other = corpus.write("other.txt", QByteArray("Kein Treffer.\r\n").repeated(50));
    RegexScan whole("Haus", QString());
    RegexScan pieces("Haus", QString());
    TextLoader wholeLoader;
    TextLoader pieceLoader;
    pieceLoader.setPieceSize(4);
    for (const QString &path : {found, other})
        EXPECT_EQ(outcome(pieces, path, pieceLoader, "("), outcome(whole, path, wholeLoader, "("));
    EXPECT_EQ(outcome(pieces, other, pieceLoader, "("), "-");
}
