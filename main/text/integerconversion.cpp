#include "text/integerconversion.h"

#include "errors/qvxerror.h"

#include <limits>

std::optional<qint32> parseInteger(const QString &text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        negative = text.at(i++) == QLatin1Char('-');
    if (i == n)
        return std::nullopt;

    // Accumulated as a magnitude in 64 bits so that -2147483648 is reachable and overflow is seen
    // before it happens.
    const qint64 limit = qint64(std::numeric_limits<qint32>::max()) + (negative ? 1 : 0);
    qint64 magnitude = 0;
    for (; i < n; ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit < u'0' || unit > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (unit - u'0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<qint32>(negative ? -magnitude : magnitude);
}

qint32 StrToInt(const QString &text)
{
    if (const auto value = parseInteger(text))
        return *value;
    throw QvxError(QStringLiteral("''") + text +
                   QStringLiteral("'' ist kein gültiger Integer-Wert"));
}
