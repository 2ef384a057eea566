#include "textgenerator.h"

std::uint64_t Random::next()
{
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

const std::vector<std::string> &germanWords()
{
    // "\xE4" ä, "\xF6" ö, "\xFC" ü, "\xC4" Ä, "\xD6" Ö, "\xDC" Ü, "\xDF" ß, "\x84"/"\x93" „ and “.
    static const std::vector<std::string> words = {
        "der",
        "die",
        "das",
        "der",
        "die",
        "das",
        "und",
        "und",
        "und",
        "ist",
        "nicht",
        "ein",
        "eine",
        "zu",
        "mit",
        "sich",
        "auf",
        "f\xFCr",
        "\xFC"
        "ber",
        "auch",
        "als",
        "noch",
        "schon",
        "heute",
        "morgen",
        "Heute",
        "Morgen",
        "HEUTE",
        "Haus",
        "H\xE4user",
        "Hausaufgabe",
        "Rathaus",
        "Stadt",
        "Stra\xDF"
        "e",
        "M\xE4"
        "dchen",
        "Kinder",
        "Schule",
        "sch\xF6n",
        "gr\xF6\xDF"
        "er",
        "B\xFC"
        "cher",
        "\xC4rger",
        "\xD6"
        "ffnung",
        "\xDC"
        "bung",
        "gr\xFCn",
        "Fluss",
        "m\xFCssen",
        "k\xF6nnen",
        "w\xE4ren",
        "T\xFCr",
        "Br\xFC"
        "cke",
        "Gem\xFCse",
        "Fr\xFChst\xFC"
        "ck",
        "K\xE4se",
        "L\xF6"
        "ffel",
        "wei\xDF",
        "hei\xDF",
        "Fu\xDF"
        "ball",
        "drau\xDF"
        "en",
        "Garten",
        "Wetter",
        "sowohl",
        "als auch",
        "Sonntag",
        "Arbeit",
        "Zeit",
        "Jahr",
        "Menschen",
        "Leben",
        "Wasser",
        "Bahnhof",
        "Zeitung",
        "sagte",
        "wurde",
        "haben",
        "werden",
        "wieder",
        "immer",
        "gegen",
        "zwischen",
        "Gesch\xE4"
        "ft",
        "Mitte",
        "Dorf",
        "und",
        "oder",
        "aber",
        "dass",
        "wenn",
        "bundesweit",
        "Grund",
        "Sprache",
        "Kunde",
        "\x84"
        "gut\x93",
        "Universit\xE4t",
        "Bibliothek",
        "\xE4hnlich",
        "M\xFCnchen",
        "K\xF6ln",
        "N\xFCrnberg",
        "D\xFCsseldorf",
        "F\xF6rderung",
        "Gr\xFC\xDF"
        "e",
        "Abend",
        "Nacht",
    };
    return words;
}

void LineWriter::appendText(QByteArray &out, qint64 size)
{
    const std::vector<std::string> &words = germanWords();
    appendWords(out, [&]() -> const std::string * {
        if (out.size() >= size)
            return nullptr;
        return &words[m_random.below(words.size())];
    });
}

void LineWriter::appendWords(QByteArray &out, const std::function<const std::string *()> &nextWord)
{
    const std::string *word = nextWord();
    while (word) {
        // The longest word is 14 bytes with its punctuation, so a line stops between 60 and 120.
        const qsizetype limit = 75 + qsizetype(m_random.below(46));
        qsizetype length = 0;
        while (word) {
            const qsizetype extra = (length > 0 ? 1 : 0) + qsizetype(word->size()) + 1;
            if (length > 0 && length + extra > limit)
                break;
            if (length > 0)
                out.append(' ');
            out.append(word->data(), qsizetype(word->size()));
            length += extra - 1;
            const std::uint64_t roll = m_random.below(24);
            if (roll == 0) {
                out.append(',');
                ++length;
            } else if (roll == 1) {
                out.append('.');
                ++length;
            }
            word = nextWord();
        }
        out.append("\r\n", 2);
    }
}
