#pragma once

#include "textgenerator.h"

#include <QByteArray>
#include <memory>
#include <string>
#include <vector>

// Draws word ranks with probability proportional to 1 / rank, as words come up in running text.
class ZipfSampler
{
public:
    explicit ZipfSampler(size_t words);
    // A rank from 0 (the commonest) to words - 1.
    size_t draw(Random &random) const;
    size_t size() const { return m_cumulative.size(); }

private:
    std::vector<double> m_cumulative;
};

// A ranked vocabulary and its sampler, built once and shared by every writer of a corpus.
struct ProseVocabulary
{
    explicit ProseVocabulary(std::vector<std::string> ranked)
        : words(std::move(ranked)), sampler(words.size())
    {
    }
    std::vector<std::string> words;
    ZipfSampler sampler;
};

// Writes German-like prose in Windows-1252: sentences of 4 to 30 words (17 on average) that
// begin with a capital and end with a full stop, now and then a comma, paragraphs of 2 to 7
// sentences parted by an empty line, lines of at most 60 to 80 characters ended by CR LF.
class ProseWriter
{
public:
    ProseWriter(std::shared_ptr<const ProseVocabulary> vocabulary, std::uint64_t seed);

    // Appends whole paragraphs to out until it holds at least size bytes.
    void appendText(QByteArray &out, qint64 size);

private:
    void appendSentence(QByteArray &out);
    void appendWord(QByteArray &out, const std::string &word, bool capital, char punctuation);
    void endLine(QByteArray &out);

    std::shared_ptr<const ProseVocabulary> m_vocabulary;
    Random m_random;
    qsizetype m_lineLength = 0;
    qsizetype m_lineLimit = 0;
};
