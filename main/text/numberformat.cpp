#include "text/numberformat.h"

#include "errors/qvxerror.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

QChar localeDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QChar('.') : point.at(0);
}

QString formatInteger(qint32 value)
{
    return QString::number(value);
}

namespace {

// A finite non-zero number rounded to 15 significant digits, trailing zeros dropped.
struct Scientific
{
    bool negative = false;
    char digits[15] = {};
    int count = 0;
    int exponent = 0;
};

// Reads "[-]d.ddddddddddddddde[+-]x..." as both std::to_chars and QString::number write it.
Scientific readScientific(const char *text, const char *end)
{
    Scientific s;
    s.negative = *text == '-';
    if (s.negative)
        ++text;
    for (; text < end && *text != 'e'; ++text) {
        if (*text != '.')
            s.digits[s.count++] = *text;
    }
    while (s.count > 1 && s.digits[s.count - 1] == '0')
        --s.count;
    ++text; // 'e'
    const bool negativeExponent = *text == '-';
    for (++text; text < end; ++text)
        s.exponent = 10 * s.exponent + (*text - '0');
    if (negativeExponent)
        s.exponent = -s.exponent;
    return s;
}

// Both round correctly, but a tie goes away from zero in QString::number and to the even digit
// in std::to_chars. A tie has the exact digits "50" in the 16th and 17th place, so only such a
// value takes the slower way.
Scientific roundTo15Digits(double value)
{
    char buffer[40];
    char *const end = buffer + sizeof buffer;
    const auto wide = std::to_chars(buffer, end, value, std::chars_format::scientific, 16);
    const char *ePos = std::find(buffer, wide.ptr, 'e');
    if (ePos[-2] == '5' && ePos[-1] == '0') {
        const QByteArray text = QString::number(value, 'e', 14).toLatin1();
        return readScientific(text.constData(), text.constData() + text.size());
    }
    const auto rounded = std::to_chars(buffer, end, value, std::chars_format::scientific, 14);
    return readScientific(buffer, rounded.ptr);
}

void appendZeros(char16_t *&out, int count)
{
    for (int i = 0; i < count; ++i)
        *out++ = u'0';
}

void appendDigits(char16_t *&out, const char *digits, int count)
{
    for (int i = 0; i < count; ++i)
        *out++ = char16_t(digits[i]);
}

void appendExponent(char16_t *&out, int exponent)
{
    if (exponent < 0) {
        *out++ = u'-';
        exponent = -exponent;
    }
    char reversed[4];
    int n = 0;
    do {
        reversed[n++] = char('0' + exponent % 10);
        exponent /= 10;
    } while (exponent > 0);
    while (n > 0)
        *out++ = char16_t(reversed[--n]);
}

} // namespace

QString formatGeneral(double value, QChar decimalSeparator)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0.0)
        return QStringLiteral("0");
    // Whole numbers of up to 15 digits are their own digits; among them are the counts and the
    // "-1" of the result list, half of the numbers it shows.
    if (std::abs(value) < 1e15 && value == std::trunc(value))
        return QString::number(qint64(value));

    const Scientific s = roundTo15Digits(value);
    const char16_t separator = decimalSeparator.unicode();
    // Longest text: sign, "0", separator, three zeros and 15 digits.
    char16_t text[32];
    char16_t *out = text;
    if (s.negative)
        *out++ = u'-';

    // The test is on the rounded value, so 9.99999999999999999E14 already counts as 1E15.
    if (s.exponent >= -4 && s.exponent < 15) {
        if (s.exponent >= 0) {
            const int intDigits = s.exponent + 1;
            if (s.count <= intDigits) {
                appendDigits(out, s.digits, s.count);
                appendZeros(out, intDigits - s.count);
            } else {
                appendDigits(out, s.digits, intDigits);
                *out++ = separator;
                appendDigits(out, s.digits + intDigits, s.count - intDigits);
            }
        } else {
            *out++ = u'0';
            *out++ = separator;
            appendZeros(out, -s.exponent - 1);
            appendDigits(out, s.digits, s.count);
        }
    } else {
        *out++ = char16_t(s.digits[0]);
        if (s.count > 1) {
            *out++ = separator;
            appendDigits(out, s.digits + 1, s.count - 1);
        }
        *out++ = u'E';
        appendExponent(out, s.exponent);
    }
    return QString(reinterpret_cast<const QChar *>(text), out - text);
}

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

std::optional<double> parseDecimal(const QString &text, QChar decimalSeparator)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;

    // The accepted part is rebuilt in the C locale's form so that the conversion below
    // cannot be swayed by any locale setting.
    QByteArray c;
    c.reserve(n);
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        c.append(static_cast<char>(text.at(i++).unicode()));

    int mantissaDigits = 0;
    bool separatorSeen = false;
    for (; i < n; ++i) {
        const QChar ch = text.at(i);
        if (isDigit(ch)) {
            c.append(static_cast<char>(ch.unicode()));
            ++mantissaDigits;
        } else if (ch == decimalSeparator && !separatorSeen) {
            c.append('.');
            separatorSeen = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;

    if (i < n && (text.at(i) == QLatin1Char('E') || text.at(i) == QLatin1Char('e'))) {
        c.append('e');
        ++i;
        if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
            c.append(static_cast<char>(text.at(i++).unicode()));
        int exponentDigits = 0;
        for (; i < n && isDigit(text.at(i)); ++i) {
            c.append(static_cast<char>(text.at(i).unicode()));
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }

    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    if (i != n)
        return std::nullopt;

    bool ok = false;
    const double value = QLocale::c().toDouble(QLatin1String(c), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double StrToFloat(const QString &text, QChar decimalSeparator)
{
    if (const auto value = parseDecimal(text, decimalSeparator))
        return *value;
    throw QvxError(QStringLiteral("'") + text +
                   QStringLiteral("' ist kein gültiger Gleitkommawert"));
}

double cellNumber(const QString &text, QChar decimalSeparator)
{
    if (text == QLatin1String("INF"))
        return std::numeric_limits<double>::infinity();
    if (text == QLatin1String("-INF"))
        return -std::numeric_limits<double>::infinity();
    if (text == QLatin1String("NAN"))
        return std::numeric_limits<double>::quiet_NaN();
    return StrToFloat(text, decimalSeparator);
}

double FactorReader::read(const QString &text, QChar decimalSeparator)
{
    if (m_known && text == m_text && decimalSeparator == m_separator)
        return m_value;
    m_known = false;
    m_value = StrToFloat(text, decimalSeparator);
    m_text = text;
    m_separator = decimalSeparator;
    m_known = true;
    return m_value;
}
