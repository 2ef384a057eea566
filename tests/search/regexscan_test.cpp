#include "errors/qvxerror.h"
#include "fixtures.h"
#include "search/literaltext.h"
#include "search/regexscan.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>
#include <random>

namespace {

// A weighting field that records how often the scan reads it.
struct WeightingField
{
    QString text;
    int reads = 0;

    std::function<QString()> reader()
    {
        return [this] {
            ++reads;
            return text;
        };
    }
};

QString errorOf(RegexScan &scan, const QString &path, WeightingField &field)
{
    try {
        scan.evaluate(path, field.reader());
    } catch (const QvxError &e) {
        return e.message();
    }
    return QString();
}

} // namespace

TEST(RegexScan, CountsMatchesAndPercentage)
{
    TempCorpus corpus;
    WeightingField field;
    RegexScan scan("b", QString());
    const auto result = scan.evaluate(corpus.write("abc.txt", "abc"), field.reader());
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->f, 1);
    EXPECT_EQ(result->proz, 20.0);
    EXPECT_EQ(result->fB, -1);
    EXPECT_EQ(field.reads, 1);

    // x* on "äb" CR LF: five empty matches over four code units, although "ä" is two bytes
    // in UTF-8.
    RegexScan empty("x*", QString());
    const auto umlaut = empty.evaluate(corpus.write("ae.txt", "\xE4"
                                                              "b"),
                                       field.reader());
    ASSERT_TRUE(umlaut.has_value());
    EXPECT_EQ(umlaut->f, 5);
    EXPECT_EQ(umlaut->proz, 125.0);
}

TEST(RegexScan, PercentageCountsUtf16CodeUnits)
{
    TempCorpus corpus;
    // 1232 bytes plus the added CR LF give 1234 code units; the umlauts and euro signs take
    // more bytes in UTF-8 than code units.
    QByteArray bytes;
    bytes.append("x");
    while (bytes.size() < 600)
        bytes.append("\xE4\x80");
    bytes.append("x");
    while (bytes.size() < 1231)
        bytes.append("o");
    bytes.append("x");
    ASSERT_EQ(bytes.size(), 1232);

    WeightingField field;
    field.text = "o{10}";
    RegexScan scan("x", QString());
    const auto result = scan.evaluate(corpus.write("t.txt", bytes), field.reader());
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->f, 3);
    EXPECT_EQ(result->proz, 3.0 / 1234 * 100);
    EXPECT_EQ(result->fB, 62);
}

TEST(RegexScan, WeightingIsReadOnlyForFilesWithAPositiveMatch)
{
    TempCorpus corpus;
    WeightingField field;
    field.text = "a";
    RegexScan scan("Heute", QString());
    EXPECT_FALSE(scan.evaluate(corpus.write("none.txt", "Morgen"), field.reader()).has_value());
    EXPECT_EQ(field.reads, 0);

    const auto result =
        scan.evaluate(corpus.write("hit.txt", "Heute ist ein Tag\nan dem"), field.reader());
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(field.reads, 1);
    EXPECT_EQ(result->f, 1);
    EXPECT_EQ(result->fB, 2);

    field.text = "z";
    const auto noWeighting = scan.evaluate(corpus.write("hit2.txt", "Heute"), field.reader());
    ASSERT_TRUE(noWeighting.has_value());
    EXPECT_EQ(noWeighting->fB, 0);

    field.text.clear();
    const auto withoutField = scan.evaluate(corpus.write("hit3.txt", "Heute"), field.reader());
    ASSERT_TRUE(withoutField.has_value());
    EXPECT_EQ(withoutField->fB, -1);
    EXPECT_EQ(field.reads, 3);
}

TEST(RegexScan, ExclusionRemovesTheTextAfterTheWeightingCount)
{
    TempCorpus corpus;
    WeightingField field;
    field.text = "a";
    RegexScan scan("Heute", "Morgen");
    const QString both = corpus.write("both.txt", "Heute Heute Heute\nund Morgen");
    const QString only = corpus.write("only.txt", "Heute und Heute\nmorgen");
    EXPECT_FALSE(scan.evaluate(both, field.reader()).has_value());
    EXPECT_EQ(field.reads, 1);
    const auto result = scan.evaluate(only, field.reader());
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->f, 2);

    // The weighting pattern is compiled before the exclusion test even for a file that the
    // exclusion removes, so its error surfaces there.
    field.text = "(";
    EXPECT_TRUE(errorOf(scan, both, field).startsWith("Fehler in regulärem Ausdruck bei Offset "));
}

TEST(RegexScan, InvalidPatternsAreReportedWhenFirstUsed)
{
    TempCorpus corpus;
    const QString miss = corpus.write("miss.txt", "nichts");
    const QString hit = corpus.write("hit.txt", "Heute");
    const QString missing = corpus.filePath("fehlt.txt");
    WeightingField field;

    field.text = "(abc";
    RegexScan badWeighting("Heute", QString());
    EXPECT_FALSE(badWeighting.evaluate(miss, field.reader()).has_value());
    EXPECT_EQ(errorOf(badWeighting, hit, field),
              QString("Fehler in regulärem Ausdruck bei Offset 4: missing closing parenthesis"));

    field.text.clear();
    RegexScan badExclusion("Heute", "[");
    EXPECT_FALSE(badExclusion.evaluate(miss, field.reader()).has_value());
    EXPECT_TRUE(errorOf(badExclusion, hit, field).startsWith("Fehler in regulärem Ausdruck"));

    // The file is loaded before the positive pattern is compiled.
    WeightingField unread;
    RegexScan badPositive("(abc", QString());
    EXPECT_TRUE(errorOf(badPositive, missing, unread).startsWith("Datei " + missing));
    EXPECT_EQ(errorOf(badPositive, miss, unread),
              QString("Fehler in regulärem Ausdruck bei Offset 4: missing closing parenthesis"));
    EXPECT_EQ(unread.reads, 0);
}

TEST(RegexScan, ChangedWeightingTextIsRecompiled)
{
    TempCorpus corpus;
    const QString path = corpus.write("t.txt", "aab ab b");
    WeightingField field;
    RegexScan scan("a", QString());

    field.text = "a";
    EXPECT_EQ(scan.evaluate(path, field.reader())->fB, 3);
    field.text = "b";
    EXPECT_EQ(scan.evaluate(path, field.reader())->fB, 3);
    field.text = "ab";
    EXPECT_EQ(scan.evaluate(path, field.reader())->fB, 2);
    field.text = "(";
    EXPECT_FALSE(errorOf(scan, path, field).isEmpty());
    field.text = "b$";
    EXPECT_EQ(scan.evaluate(path, field.reader())->fB, 1);
}

TEST(RegexScan, EmptyTextNeverQualifies)
{
    TempCorpus corpus;
    WeightingField field;
    field.text = "x*";
    RegexScan scan("x*", QString());
    EXPECT_FALSE(scan.evaluate(corpus.write("empty.txt", QByteArray()), field.reader()));
    EXPECT_FALSE(scan.evaluate(corpus.write("nul.txt", QByteArray("\0x", 2)), field.reader()));
    EXPECT_EQ(field.reads, 0);
    EXPECT_TRUE(scan.evaluate(corpus.write("one.txt", "\n"), field.reader()).has_value());
}

TEST(RegexScan, MatchLimitBecomesAnErrorNamingTheFile)
{
    TempCorpus corpus;
    const QString path = corpus.write("lang.txt", QByteArray(40, 'a') + "\nb");
    WeightingField field;
    RegexScan scan("(a+)+b", QString());
    const QString message = errorOf(scan, path, field);
    EXPECT_TRUE(message.startsWith("Der reguläre Ausdruck ist für den Text der Datei " + path +
                                   " zu aufwendig"))
        << message.toStdString();
}

TEST(RegexScan, ACountBeyondWhatARowHoldsEndsTheRunNamingTheFile)
{
    EXPECT_EQ(rowCount(2147483647, "/k/a.txt"), 2147483647);
    EXPECT_EQ(rowCount(0, "/k/a.txt"), 0);
    try {
        rowCount(2200000000, "/k/a.txt");
        FAIL() << "a count beyond 32 bits is no row";
    } catch (const QvxError &e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("Der reguläre Ausdruck findet im Text der Datei /k/a.txt "
                                 "2200000000 Treffer; die Ergebnisliste kann höchstens 2147483647 "
                                 "Treffer je Text zählen. Die Suche wurde abgebrochen."));
    }
}

TEST(RegexScan, PlainStringsFindInTheBytesWhatTheirPatternsFindInTheText)
{
    EXPECT_TRUE(LiteralText::of(QString("M\u00e4use #1-2|Haus")).has_value());
    for (const QString &pattern :
         {QString(), QString("a.b"), QString("a\\d"), QString("a\nb"), QString("a]"), QString("a|"),
          QString("(?i)a"), QString("\u0142")})
        EXPECT_FALSE(LiteralText::of(pattern).has_value()) << pattern.toStdString();

    // Texts of frequent letters and every kind of line break, long enough for the block search
    // and its tail; each plain string, or alternatives of them, against the same strings as
    // classes, which are searched in the UTF-8 text. Alternatives that match at one place, or
    // overlap, must take the first of them and go on behind it.
    TempCorpus corpus;
    std::mt19937 random(20261211);
    const char alphabet[] = {'a', 'H', 'u', 's', '\r', '\n', '\xE4', ' '};
    const QString strings[] = {"Haus", "aa",      "s a",  QString("\u00e4"), QString("H\u00e4u"),
                               "u ",   "a|aa|us", "aa|a", "us|s a"};
    const auto asClasses = [](const QString &s) {
        QStringList classes;
        for (const QString &alternative : s.split('|'))
            classes << alternative.chopped(1) + '[' + alternative.back() + ']';
        return classes.join('|');
    };
    for (int text = 0; text < 30; ++text) {
        QByteArray bytes;
        for (int i = 0, size = int(random() % 300); i < size; ++i)
            bytes.append(alphabet[random() % 8]);
        const QString path = corpus.write(QString("t%1.txt").arg(text), bytes);
        for (const QString &s : strings) {
            for (const QString &weighting : {QString(), QString("u|Ha"), QString("u.")}) {
                for (const QString &exclusion : {QString(), QString("sss|uuu")}) {
                    WeightingField field{weighting};
                    RegexScan literal(s, exclusion);
                    RegexScan pattern(asClasses(s),
                                      exclusion.isEmpty() ? exclusion : asClasses(exclusion));
                    const auto expected = pattern.evaluate(path, field.reader());
                    const auto found = literal.evaluate(path, field.reader());
                    ASSERT_EQ(found.has_value(), expected.has_value()) << bytes.toHex().constData();
                    if (found) {
                        EXPECT_EQ(found->f, expected->f) << s.toStdString();
                        EXPECT_EQ(found->proz, expected->proz);
                        EXPECT_EQ(found->fB, expected->fB);
                    }
                }
            }
        }
    }
}
