#include "search/codepage.h"
#include "search/textloading.h"
#include "search/utf8normalizer.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Runs the one-pass decoder into a buffer of exactly the room it asks for and checks it against
// the text as the preview gets it (the line rule on the bytes, then the decoder), in UTF-8, and
// against that text's length in UTF-16 code units.
void expectSameAsPreview(const QByteArray &raw)
{
    QByteArray normalized;
    normalizeLineBreaks(raw.constData(), raw.size(), normalized);
    const QString text = cp1252::decode(normalized);

    std::vector<char> out(size_t(normalizedUtf8Capacity(raw.size())), '#');
    const NormalizedUtf8 result = normalizeToUtf8(raw.constData(), raw.size(), out.data());
    ASSERT_LE(result.bytes, qsizetype(out.size()));
    EXPECT_EQ(QByteArray(out.data(), result.bytes), text.toUtf8())
        << "input " << raw.toHex().constData();
    EXPECT_EQ(result.units, text.size()) << "input " << raw.toHex().constData();
}

} // namespace

TEST(NormalizeToUtf8, EveryByteValueAloneAndBetweenAsciiRuns)
{
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        expectSameAsPreview(QByteArray(1, byte));
        // The byte at each place of an eight-byte word and past its end.
        for (int before = 0; before <= 17; ++before)
            expectSameAsPreview(QByteArray(before, 'a') + byte + QByteArray(9, 'z'));
    }
    QByteArray all;
    for (int b = 255; b >= 0; --b)
        all.append(char(b));
    // Everything from 0xFF down to 0x01, ended by the NUL.
    expectSameAsPreview(all);
}

TEST(NormalizeToUtf8, LineBreaksAndNulInEveryMixture)
{
    const QByteArray pieces[] = {"\r\n", "\r",   "\n",    "\n\r",    "\r\r\n", QByteArray("\0", 1),
                                 "\xE4", "\x80", "Wort ", "12345678"};
    // Every ordered pair and triple of pieces, so that each break meets each neighbour, also
    // across the eight-byte words and at the end of the input.
    for (const QByteArray &a : pieces) {
        for (const QByteArray &b : pieces) {
            expectSameAsPreview(a + b);
            for (const QByteArray &c : pieces)
                expectSameAsPreview(a + b + c);
        }
    }
    expectSameAsPreview(QByteArray());
    expectSameAsPreview(QByteArray("\0\r\n", 3));
    expectSameAsPreview(QByteArray("Zeile eins\r\nZeile zwei ohne Ende"));
    expectSameAsPreview(QByteArray("abcdefg\r") + QByteArray("\nhij", 4));
}

TEST(NormalizeToUtf8, LongGermanTextWithUmlautsAndTypographicQuotes)
{
    QByteArray text;
    for (int line = 0; line < 200; ++line) {
        text += "Die Stra\xDF"
                "e f\xFChrt \x84"
                "zum Haus\x93 \x96 ";
        text += QByteArray(line % 23, 'x');
        text += line % 3 == 0 ? "\r\n" : line % 3 == 1 ? "\n" : "\r";
    }
    expectSameAsPreview(text);
}
