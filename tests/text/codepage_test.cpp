#include "text/codepage.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

// Windows-1252 as published, for 0x80..0x9F; 0 marks the five unassigned bytes.
const char16_t kExpectedHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

QByteArray allBytes()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(static_cast<char>(b));
    return bytes;
}

} // namespace

TEST(Cp1252, DecodesEveryByteToOneUnitAndEncodesItBack)
{
    const QByteArray bytes = allBytes();
    const QString text = cp1252::decode(bytes);
    ASSERT_EQ(text.size(), 256);
    for (int b = 0; b < 256; ++b) {
        char16_t expected = static_cast<char16_t>(b);
        if (b >= 0x80 && b <= 0x9F && kExpectedHigh[b - 0x80] != 0)
            expected = kExpectedHigh[b - 0x80];
        EXPECT_EQ(text.at(b).unicode(), expected) << "byte " << b;
        EXPECT_EQ(cp1252::toUnicode(static_cast<unsigned char>(b)).unicode(), expected)
            << "byte " << b;
    }
    EXPECT_EQ(cp1252::encode(text), bytes);
}

TEST(Cp1252, UnassignedBytesBecomeTheC1ControlsOfTheSameValue)
{
    for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        const char byte = static_cast<char>(b);
        const QString decoded = cp1252::decode(&byte, 1);
        ASSERT_EQ(decoded.size(), 1);
        EXPECT_EQ(decoded.at(0).unicode(), b);
        EXPECT_EQ(cp1252::encode(decoded), QByteArray(1, byte));
    }
    // U+0080 has no place in Windows-1252: 0x80 is the euro sign.
    EXPECT_EQ(cp1252::encode(QString(QChar(0x0080))), QByteArray("?"));
}

namespace {

void appendUtf8(const char *data, qsizetype size, std::string &out)
{
    for (qsizetype i = 0; i < size; ++i) {
        const cp1252::Utf8Form &form = cp1252::utf8Forms()[static_cast<unsigned char>(data[i])];
        out.append(form.bytes.data(), form.length);
    }
}

} // namespace

TEST(Cp1252, Utf8FormsEqualTheUtf8FormOfTheDecodedText)
{
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        std::string utf8;
        appendUtf8(&byte, 1, utf8);
        EXPECT_EQ(QByteArray::fromStdString(utf8), cp1252::decode(&byte, 1).toUtf8())
            << "byte " << b;
    }

    const QByteArray mixed = QByteArray("Stra\xDF"
                                        "e \x80 100, \x93Zitat\x94\r\n") +
                             allBytes() + QByteArray("plain ascii tail");
    std::string utf8 = "kept:";
    appendUtf8(mixed.constData(), mixed.size(), utf8);
    EXPECT_EQ(QByteArray::fromStdString(utf8),
              QByteArray("kept:") + cp1252::decode(mixed).toUtf8());
    EXPECT_EQ(QString::fromStdString(utf8).mid(5, 6), QString("Straße"));
}

TEST(Cp1252, EncodeWritesAQuestionMarkPerUnrepresentableCharacter)
{
    EXPECT_EQ(cp1252::encode(QString("€")), QByteArray("\x80"));
    EXPECT_EQ(cp1252::encode(QString("Grüße")), QByteArray("Gr\xFC\xDF"
                                                           "e"));
    EXPECT_EQ(cp1252::encode(QString("Ω")), QByteArray("?"));
    EXPECT_EQ(cp1252::encode(QString("a\U0001F600b")), QByteArray("a?b"));
    EXPECT_EQ(cp1252::encode(QString("\u0160\u2122\u0178")), QByteArray("\x8A\x99\x9F"));
    // A lone surrogate is one unrepresentable character too.
    QString lone("x");
    lone.append(QChar(0xD800));
    lone.append(QChar('y'));
    EXPECT_EQ(cp1252::encode(lone), QByteArray("x?y"));
    EXPECT_TRUE(cp1252::encode(QString()).isEmpty());
}

TEST(Cp1252, LowerByteLowersTheCharacterOfEveryByte)
{
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        EXPECT_EQ(cp1252::toUnicode(cp1252::lowerByte(byte)), cp1252::toUnicode(byte).toLower())
            << "byte " << b;
    }
    // The letters whose lower-case forms sit outside Latin-1's pairs.
    EXPECT_EQ(cp1252::lowerByte(0x8A), 0x9A); // Š š
    EXPECT_EQ(cp1252::lowerByte(0x8C), 0x9C); // Œ œ
    EXPECT_EQ(cp1252::lowerByte(0x8E), 0x9E); // Ž ž
    EXPECT_EQ(cp1252::lowerByte(0x9F), 0xFF); // Ÿ ÿ

    // A second copy shifted by one puts ASCII bytes both in blocks of their own and in blocks with
    // other bytes, and leaves some in the tail after the last whole block of 16.
    const QByteArray all = allBytes() + allBytes().mid(1) + allBytes();
    QByteArray bytes = all;
    cp1252::lowerInPlace(bytes.data(), bytes.size());
    QString lowered = cp1252::decode(all);
    for (QChar &unit : lowered)
        unit = unit.toLower();
    EXPECT_EQ(cp1252::decode(bytes), lowered);
}

TEST(Cp1252, EncodeExactlyRefusesWhatNoByteGives)
{
    const QString all = cp1252::decode(allBytes());
    EXPECT_EQ(cp1252::encodeExactly(all), std::optional<QByteArray>(allBytes()));
    EXPECT_EQ(cp1252::encodeExactly(QString()), std::optional<QByteArray>(QByteArray()));
    // U+0080 is no Windows-1252 character (the euro sign sits at 0x80); nor is "ā" or a smiley.
    EXPECT_FALSE(cp1252::encodeExactly(QString(QChar(0x0080))));
    EXPECT_FALSE(cp1252::encodeExactly(QString("Haus\u0101")));
    EXPECT_FALSE(cp1252::encodeExactly(QString("\U0001F600")));
    EXPECT_EQ(cp1252::encodeExactly(QString("Grüße €")),
              std::optional<QByteArray>(QByteArray("Gr\xFC\xDF"
                                                   "e \x80")));
}
