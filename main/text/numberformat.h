#pragma once

#include <QChar>
#include <QString>
#include <optional>

// The decimal separator of the user's locale (QLocale(), which tests may set explicitly).
QChar localeDecimalSeparator();

// Plain decimal digits with a leading '-' for negative values: "-1", "0", "17".
QString formatInteger(qint32 value);

// The general number format: 15 significant digits, trailing zeros dropped, fixed notation from
// 0.0001 up to below 1E15, otherwise scientific ("5E-5", "1,5E-5", "1E15"); zero is "0".
QString formatGeneral(double value, QChar decimalSeparator);

// The decimal grammar of factor texts: optional blanks, optional sign, digits with at most one
// decimal separator, an optional exponent (E or e, optional sign, digits), optional blanks.
// Returns nothing for any other text and for a value that does not fit a double.
std::optional<double> parseDecimal(const QString &text, QChar decimalSeparator);

// parseDecimal or QvxError "'<text>' ist kein gültiger Gleitkommawert".
double StrToFloat(const QString &text, QChar decimalSeparator);

// A "%" or "G" cell as a number: StrToFloat, and besides it the texts that formatGeneral writes
// for values without digits, "INF", "-INF" and "NAN".
double cellNumber(const QString &text, QChar decimalSeparator);

// A factor field's number, read for every result row: the text is parsed again only when it or the
// separator changed since the last call. Throws as StrToFloat does.
class FactorReader
{
public:
    double read(const QString &text, QChar decimalSeparator);

private:
    QString m_text;
    QChar m_separator;
    double m_value = 0.0;
    bool m_known = false;
};
