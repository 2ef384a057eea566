#include "fixtures.h"
#include "prosewriter.h"
#include "vocabulary.h"

#include <QHash>
#include <gtest/gtest.h>
#include <set>

namespace {

// A dictionary of made-up words in Windows-1252, among them two that hold the rare word.
std::vector<std::string> madeUpDictionary()
{
    std::vector<std::string> words = {"der",
                                      "Gr\xFC\xDF"
                                      "e",
                                      rareWord() + "s", rareWord()};
    for (int i = 0; i < 3000; ++i)
        words.push_back("wort" + std::to_string(i));
    return words;
}

QHash<QByteArray, int> wordCounts(const QByteArray &text)
{
    QHash<QByteArray, int> counts;
    for (QByteArray word : text.simplified().split(' ')) {
        while (word.endsWith(',') || word.endsWith('.'))
            word.chop(1);
        ++counts[word.toLower()];
    }
    return counts;
}

} // namespace

TEST(WordList, ReadsUtf8AsWindows1252AndLeavesOutWhatDoesNotFit)
{
    TempCorpus dir;
    const QString path = dir.write("ngerman", "Haus\nM\xC3\xA4"
                                              "dchen\n\xC5\x81\xC3\xB3"
                                              "d\xC5\xBA\n\n Stra\xC3\x9F"
                                              "e \n");
    EXPECT_EQ(loadWordList(path), (std::vector<std::string>{"Haus",
                                                            "M\xE4"
                                                            "dchen",
                                                            "Stra\xDF"
                                                            "e"}));
    EXPECT_TRUE(loadWordList(dir.filePath("fehlt")).empty());
}

TEST(RankedVocabulary, CommonWordsFirstRareWordLastEachWordOnce)
{
    const std::vector<std::string> dictionary = madeUpDictionary();
    const std::vector<std::string> ranked = rankedVocabulary(dictionary, 5);
    const std::vector<std::string> &common = commonGermanWords();
    ASSERT_GT(ranked.size(), common.size());
    EXPECT_TRUE(std::equal(common.begin(), common.end(), ranked.begin()));
    EXPECT_EQ(ranked[0], "der");
    const std::set<std::string> distinct(ranked.begin(), ranked.end());
    EXPECT_EQ(distinct.size(), ranked.size());
    // "der" is common already; every other dictionary word comes in once.
    EXPECT_EQ(ranked.size(), common.size() + dictionary.size() - 1);
    const std::set<std::string> tail(ranked.end() - 2, ranked.end());
    EXPECT_EQ(tail, (std::set<std::string>{rareWord(), rareWord() + "s"}));

    EXPECT_EQ(rankedVocabulary(dictionary, 5), ranked);
    EXPECT_NE(rankedVocabulary(dictionary, 6), ranked);
    // Without it in the dictionary, the rare word still comes last.
    EXPECT_EQ(rankedVocabulary({"wort"}, 5).back(), rareWord());
}

TEST(ZipfSampler, RankFrequenciesFallAsOneOverRank)
{
    const ZipfSampler sampler(1000);
    Random random(11);
    std::vector<int> counts(sampler.size());
    for (int i = 0; i < 200000; ++i) {
        const size_t rank = sampler.draw(random);
        ASSERT_LT(rank, sampler.size());
        ++counts[rank];
    }
    EXPECT_NEAR(double(counts[0]) / counts[1], 2.0, 0.15);
    EXPECT_NEAR(double(counts[0]) / counts[9], 10.0, 1.5);
    EXPECT_GT(counts[999], 0);
}

TEST(ProseWriter, GermanSentencesLinesAndParagraphsInWindows1252WithCrLf)
{
    auto vocabulary =
        std::make_shared<const ProseVocabulary>(rankedVocabulary(madeUpDictionary(), 3));
    QByteArray text;
    ProseWriter(vocabulary, 9).appendText(text, 300000);
    EXPECT_GE(text.size(), 300000);
    // Whole paragraphs only: it stops within one paragraph of the size asked for.
    EXPECT_LT(text.size(), 300000 + 7 * 31 * 30);
    ASSERT_TRUE(text.endsWith("\r\n"));
    EXPECT_FALSE(text.endsWith("\r\n\r\n"));

    QList<QByteArray> lines = text.split('\n');
    lines.removeLast();
    int emptyLines = 0;
    for (QByteArray line : lines) {
        ASSERT_TRUE(line.endsWith('\r')) << line.constData();
        line.chop(1);
        EXPECT_FALSE(line.contains('\r'));
        EXPECT_LE(line.size(), 80) << line.constData();
        emptyLines += line.isEmpty();
    }
    EXPECT_GT(emptyLines, 100);
    EXPECT_LT(emptyLines * 2, int(lines.size()));

    // Sentences of 15 to 20 words on average, each beginning with a capital.
    const QList<QByteArray> sentences = text.simplified().split('.');
    const qsizetype words = text.simplified().count(' ') + 1;
    EXPECT_GT(double(words) / (sentences.size() - 1), 15.0);
    EXPECT_LT(double(words) / (sentences.size() - 1), 20.0);
    for (qsizetype i = 0; i + 1 < sentences.size(); ++i) {
        const QByteArray sentence = sentences[i].trimmed();
        ASSERT_FALSE(sentence.isEmpty());
        EXPECT_TRUE(QChar::fromLatin1(sentence[0]).isUpper()) << sentence.constData();
    }
    // Umlauts and "ß" as single bytes, capitalised where a sentence begins.
    EXPECT_FALSE(text.contains("\xC3"));
    EXPECT_TRUE(text.contains("\xDF"));
    EXPECT_TRUE(text.contains(". \xDC"
                              "ber") ||
                text.contains("\n\xDC"
                              "ber"));

    // The commonest words come first, in about the ratios of their ranks.
    const QHash<QByteArray, int> counts = wordCounts(text);
    EXPECT_GT(counts.value("der"), counts.value("die"));
    EXPECT_GT(counts.value("die"), counts.value("und"));
    EXPECT_NEAR(double(counts.value("der")) / counts.value("das"), 8.0, 1.5);

    QByteArray again;
    ProseWriter(vocabulary, 9).appendText(again, 300000);
    EXPECT_EQ(again, text);
    QByteArray other;
    ProseWriter(vocabulary, 10).appendText(other, 300000);
    EXPECT_NE(other.left(1000), text.left(1000));
}
