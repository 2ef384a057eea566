#include "fixtures.h"
#include "realcorpus.h"

#include <gtest/gtest.h>

TEST(RealCorpus, FormatterMarksAndEscapesAreDropped)
{
    EXPECT_EQ(plainText(QStringLiteral("B\bBE\bE _\bD_\bA \x1B[1mfett\x1B[0m \u00DC\b\u00DCber")),
              QStringLiteral("BE DA fett \u00DCber"));
}

TEST(RealCorpus, PagesAreCutIntoSectionsAndLongSectionsAtEmptyLines)
{
    const QString page = QStringLiteral("LS(1)      Benutzer      LS(1)\n\n"
                                        "BEZEICHNUNG\n       ls - Inhalte auflisten\n\n"
                                        "BESCHREIBUNG\n       %1\n\n       %2\n\n"
                                        "GNU 9.1       2022       LS(1)\n")
                             .arg(QString(50, QLatin1Char('a')), QString(50, QLatin1Char('b')));
    const QStringList texts = splitIntoTexts(page, 90, 35);
    ASSERT_EQ(texts.size(), 3) << texts.join("|").toStdString();
    EXPECT_EQ(texts[0], QStringLiteral("BEZEICHNUNG\n       ls - Inhalte auflisten"));
    EXPECT_TRUE(texts[1].startsWith(QStringLiteral("BESCHREIBUNG\n")));
    EXPECT_TRUE(texts[1].endsWith(QString(50, QLatin1Char('a'))));
    EXPECT_EQ(texts[2].trimmed(), QString(50, QLatin1Char('b')));
    // Without a least size nothing is lost, the head and foot lines included.
    const QString whole = splitIntoTexts(page, 10000, 0).join(QString());
    EXPECT_EQ(whole.count(QLatin1Char('b')), 50);
    EXPECT_EQ(whole.count(QStringLiteral("LS(1)")), 3);
}

TEST(RealCorpus, Windows1252WithCrLfAndQuestionMarksForTheRest)
{
    const QString text = QStringLiteral("Gr\u00FC\u00DFe \u201Ejetzt\u201C \u2013 5 \u20AC\r\n"
                                        "Ab\u2010satz \u0141\U0001F600 \u27E8a\u27E9.\n");
    EXPECT_EQ(toWindows1252CrLf(text),
              QByteArray("Gr\xFC\xDF"
                         "e \x84jetzt\x93 \x96 5 \x80\r\nAb-satz ?? <a>.\r\n"));
    EXPECT_EQ(toWindows1252CrLf(QStringLiteral("ohne Ende")), QByteArray("ohne Ende\r\n"));
}
