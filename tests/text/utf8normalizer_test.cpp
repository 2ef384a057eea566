#include "files/textloading.h"
#include "text/codepage.h"
#include "text/utf8normalizer.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

using Normalizer = NormalizedUtf8 (*)(const char *, qsizetype, char *, qsizetype);

// The decoder as it runs here and as it runs on processors without SSE2.
const Normalizer kNormalizers[] = {normalizeToUtf8, normalizeToUtf8Sse2, normalizeToUtf8Portable};

// Runs each one-pass decoder into a buffer of exactly the room it asks for and checks it against
// the text as the preview gets it (the line rule on the bytes, then the decoder), in UTF-8, and
// against that text's length in UTF-16 code units.
void expectSameAsPreview(const QByteArray &raw)
{
    QByteArray normalized;
    normalizeLineBreaks(raw.constData(), raw.size(), normalized);
    const QString text = cp1252::decode(normalized);

    for (Normalizer normalize : kNormalizers) {
        const qsizetype room = normalizedUtf8Capacity(raw.size());
        std::vector<char> out(size_t(room), '#');
        const NormalizedUtf8 result = normalize(raw.constData(), raw.size(), out.data(), room);
        ASSERT_TRUE(result.complete);
        ASSERT_LE(result.bytes, qsizetype(out.size()));
        EXPECT_EQ(QByteArray(out.data(), result.bytes), text.toUtf8())
            << "input " << raw.toHex().constData();
        EXPECT_EQ(result.units, text.size()) << "input " << raw.toHex().constData();
    }
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

TEST(NormalizeToUtf8, BreaksAtEveryPlaceOfABlockAmongPlainAndHighBytes)
{
    const QByteArray breaks[] = {"\r\n", "\r", "\n", "\n\r", "\r\r\n", QByteArray("\0", 1)};
    // Fillers before and after, so that each break sits at every place of a block, between
    // plain bytes and between bytes above ASCII, and halves of CR LF fall into two blocks.
    const char fillers[] = {'a', '\xE4', '\x80'};
    for (const QByteArray &piece : breaks) {
        for (char before : fillers) {
            for (char after : fillers) {
                for (int offset = 0; offset <= 34; ++offset)
                    expectSameAsPreview(QByteArray(offset, before) + piece + QByteArray(40, after));
            }
        }
    }
}

TEST(NormalizeToUtf8, RandomMixturesOfEveryKindOfByte)
{
    // A fixed seed, so that a failure comes back with the same input.
    std::mt19937 random(20261209);
    const char alphabet[] = {'a', 'Z', ' ', '\xE4', '\xFC', '\x80', '\x9D', '\r', '\n'};
    std::uniform_int_distribution<int> pick(0, int(sizeof alphabet) - 1);
    std::uniform_int_distribution<int> length(0, 120);
    std::uniform_int_distribution<int> rare(0, 199);
    for (int round = 0; round < 3000; ++round) {
        QByteArray raw;
        const int n = length(random);
        for (int i = 0; i < n; ++i)
            raw.append(rare(random) == 0 ? '\0' : alphabet[pick(random)]);
        expectSameAsPreview(raw);
    }
}

TEST(NormalizeToUtf8, ALimitedRoomIsNeverOverrunAndAShortOneIsReported)
{
    QByteArray quotes;
    for (int i = 0; i < 40; ++i)
        quotes += "Die Stra\xDF"
                  "e f\xFChrt \x84zum Haus\x93.\r\n";
    struct Case
    {
        QByteArray raw;
        bool fitsTheLikelyRoom;
    };
    const Case cases[] = {
        {QByteArray(300, 'a'), true},     {quotes, true},
        {QByteArray(300, '\xE4'), false}, // two bytes each
        {QByteArray(300, '\x80'), false}, // three bytes each
        {QByteArray(300, '\n'), false},   // each becomes CR LF
    };
    for (const Case &c : cases) {
        const qsizetype n = c.raw.size();
        for (qsizetype room : {likelyUtf8Capacity(n), n + kUtf8Slack, kUtf8Slack + 1}) {
            for (Normalizer normalize : kNormalizers) {
                std::vector<char> out(size_t(room + 64), '#');
                const NormalizedUtf8 result = normalize(c.raw.constData(), n, out.data(), room);
                for (qsizetype i = room; i < room + 64; ++i)
                    ASSERT_EQ(out[size_t(i)], '#') << "written past the room at " << i;
                if (room == likelyUtf8Capacity(n)) {
                    EXPECT_EQ(result.complete, c.fitsTheLikelyRoom)
                        << c.raw.left(8).toHex().constData();
                }
                if (result.complete) {
                    QByteArray normalized;
                    normalizeLineBreaks(c.raw.constData(), n, normalized);
                    const QString text = cp1252::decode(normalized);
                    EXPECT_EQ(QByteArray(out.data(), result.bytes), text.toUtf8());
                    EXPECT_EQ(result.units, text.size());
                }
            }
        }
    }
}

TEST(NormalizeToUtf8, RandomTextOfAsciiAndTheLettersFromA0Up)
{
    // Whole blocks of such text take a way of their own; the rare bytes from 0x80 to 0x9F and
    // line breaks let blocks of every other kind follow them.
    std::mt19937 random(1252);
    std::uniform_int_distribution<int> kind(0, 99);
    std::uniform_int_distribution<int> upper(0xA0, 0xFF);
    std::uniform_int_distribution<int> ascii(0x20, 0x7E);
    std::uniform_int_distribution<int> length(0, 200);
    for (int round = 0; round < 3000; ++round) {
        QByteArray raw;
        const int n = length(random);
        for (int i = 0; i < n; ++i) {
            const int k = kind(random);
            if (k < 40)
                raw.append(char(upper(random)));
            else if (k < 97)
                raw.append(char(ascii(random)));
            else if (k < 98)
                raw.append("\r\n");
            else
                raw.append(char(0x80 + k % 32));
        }
        expectSameAsPreview(raw);
    }
}
