#include "errors/qvxerror.h"
#include "fixtures.h"
#include "text/numberformat.h"

#include <QString>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Expected texts are written with a comma; the point locale swaps it.
QString withSeparator(QString text, QChar separator)
{
    text.replace(QChar(','), separator);
    return text;
}

} // namespace

TEST(NumberFormat, LocaleDecimalSeparatorFollowsTheDefaultLocale)
{
    {
        LocaleScope scope(germanLocale());
        EXPECT_EQ(localeDecimalSeparator(), QChar(','));
    }
    {
        LocaleScope scope(englishLocale());
        EXPECT_EQ(localeDecimalSeparator(), QChar('.'));
    }
}

TEST(NumberFormat, FormatIntegerIsPlainDecimal)
{
    EXPECT_EQ(formatInteger(-1), QString("-1"));
    EXPECT_EQ(formatInteger(0), QString("0"));
    EXPECT_EQ(formatInteger(17), QString("17"));
    LocaleScope scope(germanLocale());
    EXPECT_EQ(formatInteger(1234567), QString("1234567"));
    EXPECT_EQ(formatInteger(std::numeric_limits<qint32>::min()), QString("-2147483648"));
}

TEST(NumberFormat, GeneralFormatInBothLocales)
{
    struct Case
    {
        double value;
        const char *text;
    };
    const Case cases[] = {
        {-1.0, "-1"},
        {20.0, "20"},
        {2.5, "2,5"},
        {3.0 / 1234 * 100, "0,243111831442464"},
        {0.0001, "0,0001"},
        {0.00005, "5E-5"},
        {0.000015, "1,5E-5"},
        {-0.000015, "-1,5E-5"},
        {1e15, "1E15"},
        {123456789012345.0, "123456789012345"},
        {125.0, "125"},
        {0.0, "0"},
        {-0.0, "0"},
        {-2.5, "-2,5"},
        {1.0 / 3, "0,333333333333333"},
        {2.0 / 3, "0,666666666666667"},
        {100.0, "100"},
        {1e14, "100000000000000"},
        {999999999999999.4, "999999999999999"},
        // Rounds to 1E15 in 15 digits, so it leaves the fixed range.
        {999999999999999.9, "1E15"},
        {1.5e20, "1,5E20"},
        {1e-300, "1E-300"},
        {1.7976931348623157e308, "1,79769313486232E308"},
        {0.00009999999999999999, "0,0001"},
        {0.000099999, "9,9999E-5"},
        {12.5e-3, "0,0125"},
    };
    for (const QLocale &locale : {germanLocale(), englishLocale()}) {
        LocaleScope scope(locale);
        const QChar separator = localeDecimalSeparator();
        for (const Case &c : cases)
            EXPECT_EQ(formatGeneral(c.value, separator), withSeparator(c.text, separator))
                << c.text << " with separator " << char(separator.unicode());
    }
}

TEST(NumberFormat, GeneralFormatOfNonFiniteValues)
{
    EXPECT_EQ(formatGeneral(std::numeric_limits<double>::infinity(), QChar(',')), QString("INF"));
    EXPECT_EQ(formatGeneral(-std::numeric_limits<double>::infinity(), QChar(',')), QString("-INF"));
    EXPECT_EQ(formatGeneral(std::nan(""), QChar(',')), QString("NAN"));
}

TEST(NumberFormat, CellNumbersReadBackEveryTextOfTheGeneralFormat)
{
    for (const double value : {std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(), 0.25, -1.0, 5E-5}) {
        EXPECT_EQ(cellNumber(formatGeneral(value, QChar(',')), QChar(',')), value);
    }
    EXPECT_TRUE(std::isnan(cellNumber(formatGeneral(std::nan(""), QChar(',')), QChar(','))));
    // Factor fields keep their grammar, and the cells only the exact texts.
    EXPECT_FALSE(parseDecimal("INF", QChar(',')).has_value());
    for (const char *text : {"inf", "Inf", " INF", "+INF", "NaN", "INF "})
        EXPECT_THROW(cellNumber(text, QChar(',')), QvxError) << text;
}

TEST(NumberFormat, ParseDecimalAcceptsTheFactorGrammar)
{
    const QChar comma(',');
    const QChar point('.');
    EXPECT_EQ(parseDecimal(" 2 ", comma), 2.0);
    EXPECT_EQ(parseDecimal("-1", comma), -1.0);
    EXPECT_EQ(parseDecimal("+3", comma), 3.0);
    EXPECT_EQ(parseDecimal("1,5", comma), 1.5);
    EXPECT_EQ(parseDecimal("1.5", point), 1.5);
    EXPECT_EQ(parseDecimal("1,5E-5", comma), 1.5e-5);
    EXPECT_EQ(parseDecimal("2e3", comma), 2000.0);
    EXPECT_EQ(parseDecimal("2E+3", point), 2000.0);
    EXPECT_EQ(parseDecimal("0,5", comma), 0.5);
    EXPECT_EQ(parseDecimal(",5", comma), 0.5);
    EXPECT_EQ(parseDecimal("  -12,25e1  ", comma), -122.5);
    const auto negativeZero = parseDecimal("-0", comma);
    ASSERT_TRUE(negativeZero.has_value());
    EXPECT_EQ(*negativeZero, 0.0);
}

TEST(NumberFormat, ParseDecimalRejectsEverythingElse)
{
    const QChar comma(',');
    const QChar point('.');
    for (const char *text :
         {"",  " ", "1.5", "1,2,3", "E5",   "1E",   "1E+",   "1 5", "abc", "1e999", "-1e999", "+",
          "-", ",", "- 1", "+-1",   "1,5x", "0x10", "1e5,5", "\t1", "1\t", "1'000", "1e 5"}) {
        EXPECT_FALSE(parseDecimal(text, comma).has_value()) << '"' << text << '"';
    }
    EXPECT_FALSE(parseDecimal("1,5", point).has_value());
    EXPECT_FALSE(parseDecimal("1.2.3", point).has_value());
}

TEST(NumberFormat, StrToFloatNamesTheTextInItsMessage)
{
    EXPECT_EQ(StrToFloat("0,5", QChar(',')), 0.5);
    try {
        StrToFloat("1.5", QChar(','));
        FAIL() << "a point is no decimal separator under a comma";
    } catch (const QvxError &e) {
        EXPECT_EQ(e.message(), QString("'1.5' ist kein gültiger Gleitkommawert"));
    }
    try {
        StrToFloat("", QChar(','));
        FAIL() << "an empty field is no number";
    } catch (const QvxError &e) {
        EXPECT_EQ(e.message(), QString("'' ist kein gültiger Gleitkommawert"));
    }
}

TEST(NumberFormat, FactorReaderFollowsEveryChangeOfTextAndSeparator)
{
    FactorReader reader;
    EXPECT_EQ(reader.read(QStringLiteral("1,5"), QChar(',')), 1.5);
    EXPECT_EQ(reader.read(QStringLiteral("1,5"), QChar(',')), 1.5);
    EXPECT_EQ(reader.read(QStringLiteral("2,5"), QChar(',')), 2.5);
    // The same text means something else with the other separator.
    EXPECT_THROW(reader.read(QStringLiteral("2,5"), QChar('.')), QvxError);
    EXPECT_EQ(reader.read(QStringLiteral("2.5"), QChar('.')), 2.5);
    // A text that failed fails again, also right after a good one was remembered.
    EXPECT_THROW(reader.read(QStringLiteral("x"), QChar('.')), QvxError);
    EXPECT_THROW(reader.read(QStringLiteral("x"), QChar('.')), QvxError);
    EXPECT_EQ(reader.read(QStringLiteral("2.5"), QChar('.')), 2.5);
}
