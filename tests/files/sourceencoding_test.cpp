#include "fixtures.h"
#include "search/regexscan.h"
#include "search/simplescan.h"
#include "text/utf8decoding.h"

#include <gtest/gtest.h>

TEST(Utf8Decoding, DropsTheMarkReplacesEachMalformedByteAndKeepsTheLineRule)
{
    const auto decoded = [](const QByteArray &bytes) {
        QString text;
        decodeUtf8Text(bytes.constData(), bytes.size(), text);
        return text;
    };
    const QString fffd(QChar(0xFFFD));
    EXPECT_EQ(decoded("\xEF\xBB\xBF"), QString());
    EXPECT_EQ(decoded(""), QString());
    EXPECT_EQ(decoded("\xEF\xBB\xBF\xC3\xA4"), QString::fromUtf8("ä\r\n"));
    // A stray continuation byte, a cut sequence at the end, an overlong "/", an encoded
    // surrogate and a code point beyond U+10FFFF.
    EXPECT_EQ(decoded("a\x80"
                      "b\xC3"),
              "a" + fffd + "b" + fffd + "\r\n");
    EXPECT_EQ(decoded("\xC0\xAF"), fffd + fffd + "\r\n");
    EXPECT_EQ(decoded("\xED\xA0\x80"), fffd + fffd + fffd + "\r\n");
    EXPECT_EQ(decoded("\xF4\x90\x80\x80"), fffd.repeated(4) + "\r\n");
    EXPECT_EQ(decoded("\xC3(\xE2\x82"), fffd + "(" + fffd + fffd + "\r\n");
    const QString emoji = decoded("\xF0\x9F\x98\x80");
    EXPECT_EQ(emoji.size(), 4);
    EXPECT_EQ(emoji.left(2).toUcs4().value(0), 0x1F600u);
    EXPECT_EQ(decoded("a\rb\n\nc\r\n\n\r"), "a\r\nb\r\n\r\nc\r\n\r\n\r\n");
    EXPECT_EQ(decoded("\xEF\xBB\xBFx\xEF\xBB\xBF"), QString::fromUtf8("x\xEF\xBB\xBF\r\n"));
}

TEST(Utf8Sources, BothModesSearchTheDecodedTextAndWindows1252StaysAsItWas)
{
    TempCorpus corpus;
    const QString bom = corpus.write("bom.txt", "\xEF\xBB\xBF\xC3\xA4"
                                                "b");
    const QString cut = corpus.write("cut.txt", QByteArray("Haus\0Haus", 9));
    const QString upper = corpus.write("upper.txt", "H\xC3\x84USER \xFF");
    const QString morgen = corpus.write("morgen.txt", "h\xC3\xA4user MORGEN");
    const auto weighting = [] { return QString(); };

    RegexScan empty(QStringLiteral("x*"), QString(), SourceEncoding::Utf8);
    const auto emptyMatches = empty.evaluate(bom, weighting);
    ASSERT_TRUE(emptyMatches);
    EXPECT_EQ(emptyMatches->f, 5);
    EXPECT_EQ(emptyMatches->proz, 125.0);
    RegexScan umlaut(QString::fromUtf8("ä"), QString(), SourceEncoding::Utf8);
    EXPECT_EQ(umlaut.evaluate(bom, weighting)->f, 1);
    RegexScan replaced(QString(QChar(0xFFFD)), QString(), SourceEncoding::Utf8);
    EXPECT_EQ(replaced.evaluate(upper, weighting)->f, 1);
    RegexScan house(QStringLiteral("Haus"), QString(), SourceEncoding::Utf8);
    EXPECT_EQ(house.evaluate(cut, weighting)->f, 1);
    // The window's reading: the mark stays as three characters and "ä" is two, so the text has
    // eight and an empty match at each of nine positions.
    RegexScan windows(QStringLiteral("x*"), QString());
    EXPECT_EQ(windows.evaluate(bom, weighting)->f, 9);

    SimpleScan ignoring(QString::fromUtf8("häuser"), QStringLiteral("morgen"),
                        SourceEncoding::Utf8);
    EXPECT_TRUE(ignoring.qualifies(upper, true));
    EXPECT_FALSE(ignoring.qualifies(morgen, true));
    SimpleScan exact(QString::fromUtf8("häuser"), QString(), SourceEncoding::Utf8);
    EXPECT_FALSE(exact.qualifies(upper, false));
    EXPECT_TRUE(exact.qualifies(morgen, false));
}
