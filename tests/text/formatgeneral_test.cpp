#include "text/numberformat.h"

#include <QString>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

namespace {

// The general format built the straightforward way, from QString::number's scientific text; the
// fast formatter must give the same text for every value.
QString referenceGeneral(double value, QChar separator)
{
    const QString scientific = QString::number(value, 'e', 14);
    const bool negative = scientific.startsWith(QLatin1Char('-'));
    const qsizetype ePos = scientific.indexOf(QLatin1Char('e'));
    const int exponent = scientific.mid(ePos + 1).toInt();
    QString digits = scientific.mid(negative ? 1 : 0, ePos - (negative ? 1 : 0));
    digits.remove(QLatin1Char('.'));
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    QString result = negative ? QStringLiteral("-") : QString();
    if (exponent >= -4 && exponent < 15) {
        if (exponent >= 0) {
            const qsizetype intDigits = exponent + 1;
            if (digits.size() <= intDigits)
                return result + digits + QString(intDigits - digits.size(), QLatin1Char('0'));
            return result + digits.left(intDigits) + separator + digits.mid(intDigits);
        }
        return result + QLatin1Char('0') + separator + QString(-exponent - 1, QLatin1Char('0')) +
               digits;
    }
    result += digits.at(0);
    if (digits.size() > 1)
        result += separator + digits.mid(1);
    return result + QLatin1Char('E') + QString::number(exponent);
}

std::vector<double> boundaryValues()
{
    std::vector<double> values = {
        1.0, 17.0, 0.5, 2.0 / 3.0, 100.0 / 7.0, 1e15, 999999999999999.0, 999999999999999.4,
        999999999999999.5, 9.99999999999999999e14, 1e15 + 2, 1e16, 0.0001, 0.00009999999999999999,
        0.000099999999999999, 0.00001, 0.00015, 5e-5, 1.5e-5,
        // Ties in the 16th significant digit round away from zero.
        1000000000000005.0, 1000000000000015.0, 100000000000000.5, 100000000000001.5,
        10000000000000.25, 10000000000000.75, 1.0000000000000049, 1.000000000000005, 0.1 + 0.2,
        123456789012345678.0, std::numeric_limits<double>::max(),
        std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(), 1e-300,
        1e300, 2147483647.0, -1.0};
    for (int e = -20; e <= 20; ++e) {
        const double power = std::pow(10.0, e);
        for (double m : {1.0, 1.5, 9.999999999999995, 9.9999999999999995, 3.14159265358979})
            values.push_back(m * power);
        values.push_back(std::nextafter(power, 0.0));
        values.push_back(std::nextafter(power, 2.0 * power));
    }
    return values;
}

void expectSameAsReference(double value)
{
    for (QChar separator : {QChar(','), QChar('.')}) {
        for (double signedValue : {value, -value})
            ASSERT_EQ(formatGeneral(signedValue, separator),
                      referenceGeneral(signedValue, separator))
                << qPrintable(QString::number(signedValue, 'g', 17));
    }
}

} // namespace

TEST(FormatGeneral, BoundariesAndTiesMatchTheStraightforwardWay)
{
    for (double value : boundaryValues())
        expectSameAsReference(value);
    // The shapes the reference gives, so that a shared mistake of both cannot hide.
    EXPECT_EQ(formatGeneral(1000000000000005.0, ','), QStringLiteral("1,00000000000001E15"));
    EXPECT_EQ(formatGeneral(-0.00015, ','), QStringLiteral("-0,00015"));
    EXPECT_EQ(formatGeneral(999999999999999.0, '.'), QStringLiteral("999999999999999"));
    EXPECT_EQ(formatGeneral(1e-300, ','), QStringLiteral("1E-300"));
}

TEST(FormatGeneral, WholeNumbersMatchTheStraightforwardWay)
{
    for (double value :
         {1.0, 9.0, 10.0, 99999.0, 100000.0, 2147483647.0, 2147483648.0, 99999999999999.0,
          999999999999999.0, 1e15, 1e15 + 2, 9007199254740992.0, 1e16, 1e20})
        expectSameAsReference(value);
    std::mt19937_64 random(20261209);
    std::uniform_int_distribution<qint64> whole(-999999999999999, 999999999999999);
    std::uniform_int_distribution<int> small(-100000, 100000);
    for (int i = 0; i < 20000; ++i) {
        expectSameAsReference(double(whole(random)));
        expectSameAsReference(double(small(random)));
    }
}

TEST(FormatGeneral, RandomValuesMatchTheStraightforwardWay)
{
    std::mt19937_64 random(20260101);
    std::uniform_int_distribution<int> exponent(-30, 30);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> count(1, 100000);
    for (int i = 0; i < 20000; ++i) {
        expectSameAsReference(mantissa(random) * std::pow(10.0, exponent(random)));
        // Percentages of matches in a text, as the result list shows them.
        expectSameAsReference(double(count(random)) / double(count(random)) * 100.0);
        // Weighted sums of counts and factors with few decimals.
        expectSameAsReference(count(random) * 0.1 + count(random) * 2.5);
    }
}
