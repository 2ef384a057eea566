#include "errors/qvxerror.h"
#include "results/thresholdnumber.h"
#include "text/integerconversion.h"

#include <gtest/gtest.h>
#include <limits>

TEST(IntegerConversion, AcceptsLeadingBlanksASignAndDigits)
{
    EXPECT_EQ(parseInteger(QStringLiteral("0")), 0);
    EXPECT_EQ(parseInteger(QStringLiteral("17")), 17);
    EXPECT_EQ(parseInteger(QStringLiteral("-1")), -1);
    EXPECT_EQ(parseInteger(QStringLiteral("+3")), 3);
    EXPECT_EQ(parseInteger(QStringLiteral("  42")), 42);
    EXPECT_EQ(parseInteger(QStringLiteral("007")), 7);
    EXPECT_EQ(parseInteger(QStringLiteral("2147483647")), std::numeric_limits<qint32>::max());
    EXPECT_EQ(parseInteger(QStringLiteral("-2147483648")), std::numeric_limits<qint32>::min());
}

TEST(IntegerConversion, RejectsEverythingElse)
{
    for (const char *text : {"", " ", "-", "+", "2,5", "2.5", "1e3", "3 ", "- 3", "x", "١",
                             "2147483648", "-2147483649", "99999999999999999999"})
        EXPECT_FALSE(parseInteger(QString::fromUtf8(text))) << text;
}

TEST(IntegerConversion, StrToIntNamesTheTextBetweenDoubledApostrophes)
{
    EXPECT_EQ(StrToInt(QStringLiteral("12")), 12);
    try {
        StrToInt(QStringLiteral("2,5"));
        FAIL() << "a decimal number is no integer";
    } catch (const QvxError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("''2,5'' ist kein gültiger Integer-Wert"));
    }
}

TEST(ThresholdNumber, ColumnFWantsAnIntegerTheOthersADecimal)
{
    const QChar comma(',');
    EXPECT_EQ(readThresholdNumber(1, QStringLiteral("3"), comma), 3.0);
    EXPECT_EQ(readThresholdNumber(2, QStringLiteral("0,5"), comma), 0.5);
    EXPECT_EQ(readThresholdNumber(3, QStringLiteral("1,5"), comma), 1.5);
    EXPECT_EQ(readThresholdNumber(3, QStringLiteral("-1"), comma), -1.0);
    EXPECT_THROW(readThresholdNumber(1, QStringLiteral("2,5"), comma), QvxError);
    EXPECT_THROW(readThresholdNumber(1, QString(), comma), QvxError);
    try {
        readThresholdNumber(2, QStringLiteral("0.5"), comma);
        FAIL() << "a point is no decimal separator in a comma locale";
    } catch (const QvxError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("'0.5' ist kein gültiger Gleitkommawert"));
    }
}
