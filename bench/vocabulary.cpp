#include "vocabulary.h"

#include "textgenerator.h"

#include <QFile>
#include <algorithm>
#include <unordered_set>

QString defaultWordListPath()
{
    return QStringLiteral("/usr/share/dict/ngerman");
}

std::vector<std::string> loadWordList(const QString &path)
{
    std::vector<std::string> words;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return words;
    const QStringList lines =
        QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QString word = line.trimmed();
        // Below U+0100 Windows-1252 and Latin-1 agree, except for the C1 controls no word holds.
        const bool fits = std::all_of(word.begin(), word.end(), [](QChar c) {
            return c.unicode() > 0x20 && c.unicode() < 0x100 &&
                   (c.unicode() < 0x7F || c.unicode() > 0x9F);
        });
        if (!word.isEmpty() && fits)
            words.push_back(word.toLatin1().toStdString());
    }
    return words;
}

const std::vector<std::string> &commonGermanWords()
{
    // "\xE4" ä, "\xF6" ö, "\xFC" ü, "\xC4" Ä, "\xD6" Ö, "\xDC" Ü, "\xDF" ß.
    static const std::vector<std::string> words = {
        "der",
        "die",
        "und",
        "in",
        "den",
        "von",
        "zu",
        "das",
        "mit",
        "sich",
        "des",
        "auf",
        "f\xFCr",
        "ist",
        "im",
        "dem",
        "nicht",
        "ein",
        "eine",
        "als",
        "auch",
        "es",
        "an",
        "werden",
        "aus",
        "er",
        "hat",
        "dass",
        "sie",
        "nach",
        "wird",
        "bei",
        "einer",
        "um",
        "am",
        "sind",
        "noch",
        "wie",
        "einem",
        "\xFC"
        "ber",
        "einen",
        "so",
        "zum",
        "war",
        "haben",
        "nur",
        "oder",
        "aber",
        "vor",
        "zur",
        "bis",
        "mehr",
        "durch",
        "man",
        "sein",
        "wurde",
        "sei",
        "kann",
        "gegen",
        "vom",
        "k\xF6nnen",
        "schon",
        "wenn",
        "habe",
        "seine",
        "ihre",
        "dann",
        "unter",
        "wir",
        "soll",
        "ich",
        "eines",
        "Jahr",
        "zwei",
        "Jahren",
        "diese",
        "dieser",
        "wieder",
        "keine",
        "seiner",
        "worden",
        "will",
        "zwischen",
        "immer",
        "was",
        "sagte",
        "gibt",
        "alle",
        "seit",
        "muss",
        "doch",
        "jetzt",
        "drei",
        "neue",
        "damit",
        "bereits",
        "da",
        "ab",
        "ihr",
        "ihrer",
        "ohne",
        "sondern",
        "selbst",
        "ersten",
        "nun",
        "etwa",
        "heute",
        "weil",
        "ihm",
        "Menschen",
        "anderen",
        "Ende",
        "Zeit",
        "Stadt",
        "Haus",
        "morgen",
        "Kinder",
        "Schule",
        "sowohl",
        "Leben",
        "Arbeit",
        "Wasser",
        "Stra\xDF"
        "e",
        "gro\xDF"
        "e",
        "Garten",
        "Wetter",
        "M\xE4"
        "dchen",
        "sch\xF6n",
        "m\xFCssen",
        "Br\xFC"
        "cke",
        "Universit\xE4t",
        "Zeitung",
        "Abend",
        "Nacht",
        "Sonntag",
        "Dorf",
        "Bahnhof",
        "Bibliothek",
        "Sprache",
        "Grund",
    };
    return words;
}

std::string rareWord()
{
    return "Leuchtturm";
}

std::vector<std::string> rankedVocabulary(const std::vector<std::string> &dictionary,
                                          std::uint64_t seed)
{
    std::vector<std::string> ranked = commonGermanWords();
    std::unordered_set<std::string> seen(ranked.begin(), ranked.end());
    std::vector<std::string> shuffled;
    std::vector<std::string> rare;
    const std::string rarest = rareWord();
    for (const std::string &word : dictionary) {
        if (!seen.insert(word).second)
            continue;
        (word.find(rarest) == std::string::npos ? shuffled : rare).push_back(word);
    }
    Random random(seed);
    for (size_t i = shuffled.size(); i > 1; --i)
        std::swap(shuffled[i - 1], shuffled[random.below(i)]);
    ranked.insert(ranked.end(), shuffled.begin(), shuffled.end());
    if (rare.empty())
        rare.push_back(rarest);
    ranked.insert(ranked.end(), rare.begin(), rare.end());
    return ranked;
}
