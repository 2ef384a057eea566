#include "text/utf8decoding.h"

namespace {

constexpr char32_t replacement = 0xFFFD;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The code point of the well-formed sequence at data[i], advancing i past it, or U+FFFD
// advancing i by one byte.
char32_t nextCodePoint(const unsigned char *data, qsizetype size, qsizetype &i)
{
    const unsigned char lead = data[i];
    int length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return replacement;
    }
    if (i + length > size) {
        ++i;
        return replacement;
    }
    for (int k = 1; k < length; ++k) {
        if (!isContinuation(data[i + k])) {
            ++i;
            return replacement;
        }
        value = (value << 6) | (data[i + k] & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++i;
        return replacement;
    }
    i += length;
    return value;
}

void append(QString &out, char32_t codePoint)
{
    if (codePoint < 0x10000) {
        out.append(QChar(char16_t(codePoint)));
    } else {
        out.append(QChar(QChar::highSurrogate(codePoint)));
        out.append(QChar(QChar::lowSurrogate(codePoint)));
    }
}

} // namespace

void decodeUtf8Text(const char *data, qsizetype size, QString &out)
{
    out.clear();
    const auto *bytes = reinterpret_cast<const unsigned char *>(data);
    qsizetype i = 0;
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        i = 3;
    if (i == size)
        return;
    out.reserve(size - i + 2);
    while (i < size) {
        const char32_t c = nextCodePoint(bytes, size, i);
        if (c == '\r' || c == '\n') {
            out.append(QStringLiteral("\r\n"));
            // CR LF is one break; LF CR are two.
            if (c == '\r' && i < size && bytes[i] == '\n')
                ++i;
        } else {
            append(out, c);
        }
    }
    const QChar last = out.back();
    if (last != QLatin1Char('\n'))
        out.append(QStringLiteral("\r\n"));
}
