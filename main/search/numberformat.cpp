#include "search/numberformat.h"

#include "search/qvxerror.h"

#include <QLocale>
#include <cmath>

QChar localeDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QChar('.') : point.at(0);
}

QString formatInteger(qint32 value)
{
    return QString::number(value);
}

QString formatGeneral(double value, QChar decimalSeparator)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0.0)
        return QStringLiteral("0");

    // QString::number ignores every locale, so the digits and the exponent can be read back
    // reliably: "-d.ddddddddddddddde[+-]xx", already rounded to 15 significant digits.
    const QString scientific = QString::number(value, 'e', 14);
    const bool negative = scientific.startsWith(QLatin1Char('-'));
    const qsizetype ePos = scientific.indexOf(QLatin1Char('e'));
    const int exponent = scientific.mid(ePos + 1).toInt();
    QString digits = scientific.mid(negative ? 1 : 0, ePos - (negative ? 1 : 0));
    digits.remove(QLatin1Char('.'));
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    QString result;
    if (negative)
        result += QLatin1Char('-');

    // The test is on the rounded value, so 9.99999999999999999E14 already counts as 1E15.
    if (exponent >= -4 && exponent < 15) {
        if (exponent >= 0) {
            const qsizetype intDigits = exponent + 1;
            if (digits.size() <= intDigits) {
                result += digits;
                result += QString(intDigits - digits.size(), QLatin1Char('0'));
            } else {
                result += digits.left(intDigits);
                result += decimalSeparator;
                result += digits.mid(intDigits);
            }
        } else {
            result += QLatin1Char('0');
            result += decimalSeparator;
            result += QString(-exponent - 1, QLatin1Char('0'));
            result += digits;
        }
        return result;
    }

    result += digits.at(0);
    if (digits.size() > 1) {
        result += decimalSeparator;
        result += digits.mid(1);
    }
    result += QLatin1Char('E');
    result += QString::number(exponent);
    return result;
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
