// The number texts of the result list: every double and every 32-bit integer that is written
// must read back as the value the format promises, and no text may crash a parser. Whatever a
// parser accepts must be what a plain reading of its grammar accepts, with the same value.
//
// Input: the first eight bytes (where there are eight) are a double and the first four an
// integer to write and read back; the whole input, as UTF-8, is a text to parse.
#include "errors/qvxerror.h"
#include "fuzzcheck.h"
#include "results/thresholdnumber.h"
#include "text/integerconversion.h"
#include "text/numberformat.h"

#include <QRegularExpression>
#include <QString>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

constexpr QChar kSeparators[] = {QChar(u','), QChar(u'.')};

// The value rounded to 15 significant digits, halves away from zero, from its exact decimal
// expansion (a double has at most 767 significant decimal digits).
double roundedTo15Digits(double value)
{
    char exact[1100];
    std::snprintf(exact, sizeof exact, "%.800e", std::fabs(value));
    // exact: "d.ddd…e±x"; the first 15 digits, then the digit that decides the rounding.
    long long digits = exact[0] - '0';
    for (int i = 2; i <= 15; ++i)
        digits = digits * 10 + (exact[i] - '0');
    int exponent = std::atoi(std::strchr(exact, 'e') + 1);
    if (exact[16] >= '5')
        ++digits;
    if (digits == 1000000000000000LL) {
        digits /= 10;
        ++exponent;
    }
    char rounded[64];
    std::snprintf(rounded, sizeof rounded, "%s%llde%d", value < 0 ? "-" : "", digits,
                  exponent - 14);
    return std::strtod(rounded, nullptr);
}

// What a threshold or factor conversion gives, or nothing when it throws QvxError.
template <typename Read> std::optional<double> orNothing(Read read)
{
    try {
        return read();
    } catch (const QvxError &) {
        return std::nullopt;
    }
}

void checkGeneralFormat(double value)
{
    if (!std::isfinite(value))
        return;
    const double rounded = roundedTo15Digits(value);
    // Within half a unit of the 15th digit below the largest double, rounding leaves the range
    // (1.79769313486232E308): no double can read such a text back.
    if (!std::isfinite(rounded))
        return;
    for (const QChar separator : kSeparators) {
        const QString text = formatGeneral(value, separator);

        const bool scientific = text.contains(u'E');
        const double magnitude = std::fabs(rounded);
        require(scientific == (magnitude != 0 && (magnitude < 1e-4 || magnitude >= 1e15)),
                "fixed notation exactly from 0.0001 up to below 1E15");
        const QString mantissa = text.section(u'E', 0, 0);
        static const QRegularExpression plainComma(QStringLiteral("^-?[0-9]+(,[0-9]*[1-9])?\\z"));
        static const QRegularExpression plainPoint(QStringLiteral("^-?[0-9]+(\\.[0-9]*[1-9])?\\z"));
        const QRegularExpression &shape = separator == u',' ? plainComma : plainPoint;
        require(shape.match(mantissa).hasMatch(),
                "sign, digits, and fraction digits without trailing zeros only");
        QString digits = mantissa;
        digits.remove(u'-');
        digits.remove(separator);
        while (digits.startsWith(u'0'))
            digits.remove(0, 1);
        while (digits.endsWith(u'0'))
            digits.chop(1);
        require(digits.size() <= 15, "at most 15 significant digits");

        require(parseDecimal(text, separator) == std::optional<double>(rounded),
                "a written number reads back as its value rounded to 15 digits");
        require(orNothing([&] { return StrToFloat(text, separator); }) ==
                    std::optional<double>(rounded),
                "StrToFloat reads a written number back");
        require(orNothing([&] { return readThresholdNumber(2, text, separator); }) ==
                    std::optional<double>(rounded),
                "the % threshold reads a written number back");
    }
}

void checkInteger(qint32 value)
{
    const QString text = formatInteger(value);
    static const QRegularExpression shape(QStringLiteral("^(0|-?[1-9][0-9]*)\\z"));
    require(shape.match(text).hasMatch(), "plain digits, a leading '-' only when negative");
    require(parseInteger(text) == std::optional<qint32>(value), "an integer reads back");
    require(orNothing([&] { return readThresholdNumber(1, text, u','); }) ==
                std::optional<double>(value),
            "the f threshold reads an integer back");
    for (const QChar separator : kSeparators)
        require(orNothing([&] { return readThresholdNumber(3, text, separator); }) ==
                    std::optional<double>(value),
                "the fB threshold reads an integer cell back as a decimal number");
}

const QRegularExpression &decimalGrammar(QChar separator)
{
    static const QString form(
        QStringLiteral("^ *([+-]?(?:[0-9]+(?:%1[0-9]*)?|%1[0-9]+)(?:[eE][+-]?[0-9]+)?) *\\z"));
    static const QRegularExpression comma(form.arg(QStringLiteral(",")));
    static const QRegularExpression point(form.arg(QStringLiteral("\\.")));
    return separator == u',' ? comma : point;
}

// The decimal grammar read plainly: blanks, sign, digits with at most one separator, an
// optional exponent, blanks; the value is the C library's reading of the same number.
void checkDecimalParser(const QString &text, QChar separator)
{
    const QRegularExpression &grammar = decimalGrammar(separator);
    const auto parsed = parseDecimal(text, separator);
    const auto thrown = orNothing([&] { return StrToFloat(text, separator); });
    require(parsed == thrown, "StrToFloat accepts what parseDecimal accepts");
    require(orNothing([&] { return readThresholdNumber(3, text, separator); }) == parsed,
            "the fB threshold reads what parseDecimal reads");

    const QRegularExpressionMatch match = grammar.match(text);
    if (!match.hasMatch()) {
        require(!parsed, "parseDecimal rejects a text outside its grammar");
        return;
    }
    QByteArray c = match.captured(1).toLatin1();
    c.replace(static_cast<char>(separator.unicode()), '.');
    errno = 0;
    const double value = std::strtod(c.constData(), nullptr);
    if (!std::isfinite(value)) {
        require(!parsed, "parseDecimal rejects a number beyond the range of a double");
        return;
    }
    // Underflow to zero or to a subnormal is a borderline the grammar leaves open; a value read,
    // if any, must still be the right one.
    if (errno == ERANGE && std::fabs(value) < DBL_MIN) {
        require(!parsed || *parsed == value, "an underflowing number reads correctly");
        return;
    }
    require(parsed.has_value(), "parseDecimal accepts every text of its grammar");
    require(*parsed == value, "parseDecimal gives the nearest double");
}

// Blanks, a sign, digits and nothing after them, within the signed 32-bit range.
void checkIntegerParser(const QString &text)
{
    static const QRegularExpression grammar(QStringLiteral("^ *([+-]?)0*([0-9]+)\\z"));
    const auto parsed = parseInteger(text);
    const auto thrown = orNothing([&] { return readThresholdNumber(1, text, u','); });
    require(thrown == (parsed ? std::optional<double>(*parsed) : std::nullopt),
            "the f threshold reads what parseInteger reads");
    try {
        StrToInt(text);
        require(parsed.has_value(), "StrToInt throws where parseInteger fails");
    } catch (const QvxError &error) {
        require(!parsed, "StrToInt throws only where parseInteger fails");
        require(error.message() == QStringLiteral("''") + text +
                                       QStringLiteral("'' ist kein gültiger Integer-Wert"),
                "the integer message quotes the text with two apostrophes");
    }

    const QRegularExpressionMatch match = grammar.match(text);
    if (!match.hasMatch()) {
        require(!parsed, "parseInteger rejects a text outside its grammar");
        return;
    }
    const QString digits = match.captured(2);
    const bool negative = match.captured(1) == u"-";
    const long long magnitude = digits.size() > 10 ? -1 : digits.toLongLong();
    const bool fits =
        magnitude >= 0 && (negative ? magnitude <= 2147483648LL : magnitude <= 2147483647LL);
    if (!fits) {
        require(!parsed, "parseInteger rejects a number beyond 32 bits");
        return;
    }
    require(parsed == std::optional<qint32>(static_cast<qint32>(negative ? -magnitude : magnitude)),
            "parseInteger reads the number");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        checkGeneralFormat(value);
    }
    if (size >= sizeof(qint32)) {
        qint32 value;
        std::memcpy(&value, data, sizeof value);
        checkInteger(value);
    }
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const QChar separator : kSeparators)
        checkDecimalParser(text, separator);
    checkIntegerParser(text);
    return 0;
}
