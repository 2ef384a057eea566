#include "text/codepage.h"

#include "text/nativepath.h"

#include <array>
#include <cstdint>
#include <unordered_map>

namespace cp1252 {
namespace {

// 0x80..0x9F; the unassigned bytes keep their own value as C1 controls.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t unitOf(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

// The UTF-8 form of every byte, built once.
std::array<cp1252::Utf8Form, 256> utf8Table()
{
    std::array<cp1252::Utf8Form, 256> table{};
    for (int b = 0; b < 256; ++b) {
        const char16_t u = unitOf(static_cast<unsigned char>(b));
        auto &form = table[static_cast<size_t>(b)];
        if (u < 0x80) {
            form.bytes[0] = static_cast<char>(u);
            form.length = 1;
        } else if (u < 0x800) {
            form.bytes[0] = static_cast<char>(0xC0 | (u >> 6));
            form.bytes[1] = static_cast<char>(0x80 | (u & 0x3F));
            form.length = 2;
        } else {
            form.bytes[0] = static_cast<char>(0xE0 | (u >> 12));
            form.bytes[1] = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            form.bytes[2] = static_cast<char>(0x80 | (u & 0x3F));
            form.length = 3;
        }
    }
    return table;
}

// Reverse mapping for the code units outside Latin-1 plus the Latin-1 C1 range that 1252 reuses.
const std::unordered_map<char16_t, char> &highEncoder()
{
    static const std::unordered_map<char16_t, char> map = [] {
        std::unordered_map<char16_t, char> m;
        for (int i = 0; i < 32; ++i)
            m.emplace(kHighControls[i], static_cast<char>(0x80 + i));
        return m;
    }();
    return map;
}

} // namespace

QChar toUnicode(unsigned char byte)
{
    return QChar(unitOf(byte));
}

QString decode(const char *data, qsizetype size)
{
    QString result(size, Qt::Uninitialized);
    QChar *out = result.data();
    for (qsizetype i = 0; i < size; ++i)
        out[i] = QChar(unitOf(static_cast<unsigned char>(data[i])));
    return result;
}

const Utf8Form *utf8Forms()
{
    static const std::array<Utf8Form, 256> table = utf8Table();
    return table.data();
}

QByteArray encode(const QString &text)
{
    const auto &high = highEncoder();
    QByteArray result;
    result.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            result.append(static_cast<char>(u));
            continue;
        }
        const auto it = high.find(u);
        if (it != high.end()) {
            result.append(it->second);
            continue;
        }
        // A byte of a path that is not UTF-8 (see nativePath) is written as it is where it is a
        // Windows-1252 character: Latin-1 names are.
        if (const int byte = foreignByte(u); byte >= 0 && isAssigned(byte)) {
            result.append(static_cast<char>(byte));
            continue;
        }
        // A character outside the BMP is one character, so its two surrogates give one '?'.
        if (QChar::isHighSurrogate(u) && i + 1 < n && text.at(i + 1).isLowSurrogate())
            ++i;
        result.append('?');
    }
    return result;
}

bool isAssigned(int byte)
{
    return byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D;
}

std::optional<QByteArray> encodeExactly(const QString &text)
{
    const auto &high = highEncoder();
    QByteArray result;
    result.reserve(text.size());
    for (const QChar unit : text) {
        const char16_t u = unit.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            result.append(static_cast<char>(u));
            continue;
        }
        const auto it = high.find(u);
        if (it == high.end())
            return std::nullopt;
        result.append(it->second);
    }
    return result;
}

namespace {

const std::array<unsigned char, 256> &lowerTable()
{
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> lower{};
        for (int b = 0; b < 256; ++b) {
            const auto lowered = encodeExactly(QString(toUnicode(uchar(b)).toLower()));
            lower[b] = lowered ? uchar(lowered->at(0)) : uchar(b);
        }
        return lower;
    }();
    return table;
}

} // namespace

unsigned char lowerByte(unsigned char byte)
{
    return lowerTable()[byte];
}

void lowerInPlace(char *data, qsizetype size)
{
    const auto &table = lowerTable();
    auto *bytes = reinterpret_cast<unsigned char *>(data);
    // Most blocks of a text are ASCII, whose lower case needs no table, so that the loop over
    // such a block turns into vector instructions.
    constexpr qsizetype block = 16;
    qsizetype i = 0;
    for (; i + block <= size; i += block) {
        unsigned char *part = bytes + i;
        unsigned char high = 0;
        for (qsizetype j = 0; j < block; ++j)
            high |= part[j];
        if (high & 0x80) {
            for (qsizetype j = 0; j < block; ++j)
                part[j] = table[part[j]];
        } else {
            for (qsizetype j = 0; j < block; ++j)
                part[j] = uchar(part[j] + (uchar(part[j] - 'A') < 26 ? 'a' - 'A' : 0));
        }
    }
    for (; i < size; ++i)
        bytes[i] = table[bytes[i]];
}

} // namespace cp1252
