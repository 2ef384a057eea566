#include "prosewriter.h"

#include <algorithm>

ZipfSampler::ZipfSampler(size_t words) : m_cumulative(words)
{
    double sum = 0.0;
    for (size_t rank = 0; rank < words; ++rank) {
        sum += 1.0 / double(rank + 1);
        m_cumulative[rank] = sum;
    }
}

size_t ZipfSampler::draw(Random &random) const
{
    const double target = random.unit() * m_cumulative.back();
    const auto found = std::upper_bound(m_cumulative.begin(), m_cumulative.end(), target);
    return std::min(size_t(found - m_cumulative.begin()), m_cumulative.size() - 1);
}

namespace {

// Windows-1252 capitals: a-z and the accented small letters from 0xE0 sit 0x20 above theirs;
// "ß" (0xDF) and the division sign (0xF7) have none.
char capitalised(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte != 0xF7 && byte != 0xFF))
        return char(byte - 0x20);
    return c;
}

} // namespace

ProseWriter::ProseWriter(std::shared_ptr<const ProseVocabulary> vocabulary, std::uint64_t seed)
    : m_vocabulary(std::move(vocabulary)), m_random(seed)
{
}

void ProseWriter::appendText(QByteArray &out, qint64 size)
{
    while (out.size() < size) {
        const std::uint64_t sentences = 2 + m_random.below(6);
        for (std::uint64_t i = 0; i < sentences; ++i)
            appendSentence(out);
        endLine(out);
        if (out.size() < size)
            out.append("\r\n", 2);
    }
}

void ProseWriter::appendSentence(QByteArray &out)
{
    const std::uint64_t words = 4 + m_random.below(27);
    for (std::uint64_t i = 0; i < words; ++i) {
        const std::string &word = m_vocabulary->words[m_vocabulary->sampler.draw(m_random)];
        const bool last = i + 1 == words;
        const char punctuation = last ? '.' : (m_random.below(12) == 0 ? ',' : '\0');
        appendWord(out, word, i == 0, punctuation);
    }
}

void ProseWriter::appendWord(QByteArray &out, const std::string &word, bool capital,
                             char punctuation)
{
    const qsizetype length = qsizetype(word.size()) + (punctuation ? 1 : 0);
    if (m_lineLength > 0 && m_lineLength + 1 + length > m_lineLimit)
        endLine(out);
    if (m_lineLength == 0)
        m_lineLimit = 60 + qsizetype(m_random.below(21));
    else
        out.append(' ');
    out.append(capital ? capitalised(word[0]) : word[0]);
    out.append(word.data() + 1, qsizetype(word.size()) - 1);
    if (punctuation)
        out.append(punctuation);
    m_lineLength += (m_lineLength > 0 ? 1 : 0) + length;
}

void ProseWriter::endLine(QByteArray &out)
{
    if (m_lineLength == 0)
        return;
    out.append("\r\n", 2);
    m_lineLength = 0;
}
