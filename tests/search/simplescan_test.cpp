#include "errors/qvxerror.h"
#include "fixtures.h"
#include "search/simplescan.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>

TEST(SimpleScan, IgnoreCaseLowersTextAndStrings)
{
    TempCorpus corpus;
    const QString upper = corpus.write("upper.txt", "HEUTE ist es kalt");
    const QString both = corpus.write("both.txt", "HEUTE und MoRgEn");
    const QString umlaut = corpus.write("umlaut.txt", "\xC4PFEL");

    SimpleScan scan("Heute", "Morgen");
    EXPECT_TRUE(scan.qualifies(upper, true));
    EXPECT_FALSE(scan.qualifies(both, true));

    SimpleScan umlauts("äpfel", QString());
    EXPECT_TRUE(umlauts.qualifies(umlaut, true));
    EXPECT_FALSE(SimpleScan("äpfel", QString()).qualifies(umlaut, false));

    // The strings stay lowered for the rest of the run, so a later case-sensitive file only
    // matches lower-case text.
    SimpleScan lowered("Heute", QString());
    EXPECT_TRUE(lowered.qualifies(upper, true));
    EXPECT_FALSE(lowered.qualifies(corpus.write("mixed.txt", "Heute"), false));
    EXPECT_TRUE(lowered.qualifies(corpus.write("lower.txt", "heute"), false));
}

TEST(SimpleScan, CaseSensitiveSubstringOverCodeUnits)
{
    TempCorpus corpus;
    const QString upper = corpus.write("upper.txt", "HEUTE");
    SimpleScan scan("Heute", "Morgen");
    EXPECT_FALSE(scan.qualifies(upper, false));
    EXPECT_TRUE(scan.qualifies(corpus.write("both.txt", "Heute und morgen"), false));
    EXPECT_FALSE(scan.qualifies(corpus.write("excl.txt", "Heute und Morgen"), false));

    EXPECT_TRUE(
        SimpleScan("Haus", QString()).qualifies(corpus.write("haus.txt", "Hausaufgabe"), false));
    // Windows-1252 text: the UTF-8 form of "ä" does not match.
    EXPECT_FALSE(SimpleScan("ä", QString()).qualifies(corpus.write("utf8.txt", "\xC3\xA4"), false));
    EXPECT_TRUE(SimpleScan("€", QString()).qualifies(corpus.write("euro.txt", "\x80"), false));
}

TEST(SimpleScan, LineBreaksArePartOfTheText)
{
    TempCorpus corpus;
    const QString path = corpus.write("lines.txt", "guten\nMorgen\rallerseits");
    EXPECT_FALSE(SimpleScan("guten Morgen", QString()).qualifies(path, false));
    EXPECT_FALSE(SimpleScan("gutenMorgen", QString()).qualifies(path, false));
    EXPECT_TRUE(SimpleScan("guten\r\nMorgen\r\nallerseits\r\n", QString()).qualifies(path, false));
    EXPECT_FALSE(SimpleScan("guten\nMorgen", QString()).qualifies(path, false));
}

TEST(SimpleScan, EmptyTextNeverQualifies)
{
    TempCorpus corpus;
    const QString empty = corpus.write("empty.txt", QByteArray());
    const QString nul = corpus.write("nul.txt", QByteArray("\0Heute", 6));
    const QString afterNul = corpus.write("afternul.txt", QByteArray("Morgen\r\0Heute", 14));
    for (bool ignoreCase : {false, true}) {
        EXPECT_FALSE(SimpleScan("Heute", QString()).qualifies(empty, ignoreCase));
        EXPECT_FALSE(SimpleScan("Heute", QString()).qualifies(nul, ignoreCase));
        EXPECT_FALSE(SimpleScan("Heute", QString()).qualifies(afterNul, ignoreCase));
        EXPECT_TRUE(SimpleScan("Morgen\r\n", QString()).qualifies(afterNul, ignoreCase));
    }
    EXPECT_THROW(SimpleScan("x", QString()).qualifies(corpus.filePath("fehlt.txt"), false),
                 QvxError);
}

TEST(LowerCaseUnits, KeepsTheLengthAndMapsNonAsciiLetters)
{
    // U+0130 lowers to two code units with the full mapping; one unit for one here.
    QString dotted("A\u0130B");
    ASSERT_NE(dotted.toLower().size(), dotted.size());
    lowerCaseUnits(dotted);
    EXPECT_EQ(dotted.size(), 3);
    EXPECT_EQ(dotted, QString("a") + QChar(QChar(0x0130).toLower()) + QString("b"));

    QString mixed("ÄÖÜ Straße ÉÈ ΣΩ");
    lowerCaseUnits(mixed);
    EXPECT_EQ(mixed, QString("äöü straße éè σω"));

    // Surrogate pairs are left alone unit by unit.
    QString emoji("X\U0001F600Y");
    lowerCaseUnits(emoji);
    EXPECT_EQ(emoji, QString("x\U0001F600y"));
}

TEST(SimpleScan, StringsOutsideWindows1252NeverOccur)
{
    TempCorpus corpus;
    const QString path = corpus.write("text.txt", "Haus? H\xE4user \x80 \x81");
    // "?" in the text is no stand-in for a character that Windows-1252 lacks.
    EXPECT_FALSE(SimpleScan("Haus\u0101", QString()).qualifies(path, false));
    EXPECT_FALSE(SimpleScan("Haus\u0101", QString()).qualifies(path, true));
    EXPECT_TRUE(SimpleScan("Häuser €", QString()).qualifies(path, false));
    // The unassigned byte 0x81 reads as the control character of the same value.
    EXPECT_TRUE(SimpleScan(QString(QChar(0x81)), QString()).qualifies(path, false));
    EXPECT_FALSE(SimpleScan(QString(QChar(0x80)), QString()).qualifies(path, false));
    // An exclusion that cannot occur excludes nothing.
    EXPECT_TRUE(SimpleScan("Haus", "Haus\u0101").qualifies(path, false));
}

TEST(SimpleScan, IgnoreCaseCoversTheLettersBeyondLatin1)
{
    TempCorpus corpus;
    const QString path = corpus.write("text.txt", "\x8A"
                                                  "KODA \x8C"
                                                  "UVRE \x9F"
                                                  "VES \xC4RGER");
    for (const char *needle : {"škoda", "ŠKODA", "œuvre", "ÿves", "ärger", "Ärger"})
        EXPECT_TRUE(SimpleScan(QString::fromUtf8(needle), QString()).qualifies(path, true))
            << needle;
    EXPECT_FALSE(SimpleScan("škoda", QString()).qualifies(path, false));
    EXPECT_FALSE(SimpleScan("Ärger", "ÿves").qualifies(path, true));
}
