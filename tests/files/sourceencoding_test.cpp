#include "files/textloading.h"
#include "fixtures.h"
#include "search/regexscan.h"
#include "search/simplescan.h"
#include "text/codepage.h"
#include "text/utf8decoding.h"

#include <QList>
#include <gtest/gtest.h>
#include <string>

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

namespace {

QByteArray beforeNul(const QByteArray &bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return nul < 0 ? bytes : bytes.left(nul);
}

} // namespace

TEST(AutomaticEncoding, WellFormedMultiByteUtf8IsUtf8AndEveryOtherTextWindows1252)
{
    TempCorpus corpus;
    const QByteArray prose = QByteArray("Haus ").repeated(5);
    struct Case
    {
        QByteArray bytes;
        bool utf8;
        QString text;
    };
    const QList<Case> cases{
        {"B\xC3\xBCrger", true, QString::fromUtf8("Bürger\r\n")},
        {"B\xFCrger", false, QString::fromUtf8("Bürger\r\n")},
        {"Haus", false, QStringLiteral("Haus\r\n")},
        {"\xEF\xBB\xBFHaus", true, QStringLiteral("Haus\r\n")},
        {"\xEF\xBB\xBF"
         "B\xFCrger",
         false, QString::fromUtf8("ï»¿Bürger\r\n")},
        // A cut sequence at the end, an overlong one, an encoded surrogate.
        {"B\xC3\xBCrger\xC3", false, QString::fromUtf8("BÃ¼rgerÃ\r\n")},
        {"\xC0\xAF", false, QString::fromUtf8("À¯\r\n")},
        {"\xED\xA0\x80", false, QString::fromUtf8("í\u00A0€\r\n")},
        // What follows the first NUL is no part of the text.
        {QByteArray("\xC3\xBC\0\xFC", 4), true, QString::fromUtf8("ü\r\n")},
        {QByteArray("Haus\0\xC3\xBC", 7), false, QStringLiteral("Haus\r\n")},
        // Decided only pieces after the first, which the text is then read again from.
        {prose + "\xC3\xBC" + prose, true, QString::fromUtf8(prose + "ü" + prose + "\r\n")},
        {prose + "\xC3\xBC" + prose + "\xFC", false,
         QString::fromUtf8(prose + "Ã¼" + prose + "ü\r\n")},
    };
    for (const qsizetype pieceSize :
         {qsizetype(1), qsizetype(2), qsizetype(3), qsizetype(7), TextLoader::kDefaultPieceSize}) {
        TextLoader automatic(SourceEncoding::Automatic);
        automatic.setPieceSize(pieceSize);
        TextLoader windows;
        windows.setPieceSize(pieceSize);
        for (const Case &c : cases) {
            SCOPED_TRACE(c.bytes.toHex().toStdString() + " in pieces of " +
                         std::to_string(pieceSize));
            const QString path = corpus.write("t.txt", c.bytes);
            const TextLoader::Utf8Text text = automatic.loadUtf8(path);
            EXPECT_EQ(automatic.readAsUtf8(), c.utf8);
            EXPECT_EQ(QString::fromUtf8(text.utf8.data(), qsizetype(text.utf8.size())), c.text);
            EXPECT_EQ(text.length, c.text.size());
            EXPECT_FALSE(automatic.utf8ReadAsWindows1252());

            const TextLoader::SearchText lowered = automatic.loadForSearch(path, true, false);
            EXPECT_EQ(lowered.utf16 != nullptr, c.utf8);
            if (lowered.utf16)
                EXPECT_EQ(*lowered.utf16, c.text);
            else
                EXPECT_EQ(cp1252::decode(lowered.windows1252.data(),
                                         qsizetype(lowered.windows1252.size())),
                          cp1252::decode(beforeNul(c.bytes)).toLower());

            // Read as Windows-1252, a UTF-8 text is noticed.
            windows.loadUtf8(path);
            EXPECT_EQ(windows.utf8ReadAsWindows1252(), c.utf8);
            windows.loadForSearch(path, false, false);
            EXPECT_EQ(windows.utf8ReadAsWindows1252(), c.utf8);
        }
    }
}
