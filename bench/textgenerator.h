#pragma once

#include <QByteArray>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A small, fast and fully deterministic pseudo-random source (splitmix64), so that every run on
// every machine writes the same corpus.
class Random
{
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next();
    // Uniform in [0, bound).
    std::uint64_t below(std::uint64_t bound) { return next() % bound; }
    // Uniform in [0, 1).
    double unit() { return double(next() >> 11) / double(std::uint64_t(1) << 53); }

private:
    std::uint64_t m_state;
};

// German-like words in Windows-1252: umlauts and "ß" as single bytes, common words repeated so
// that they come up as often as in running text.
const std::vector<std::string> &germanWords();

// Writes running text in Windows-1252: lines of 60 to 120 characters, each ended by CR LF, now
// and then a comma or a full stop after a word.
class LineWriter
{
public:
    explicit LineWriter(std::uint64_t seed) : m_random(seed) {}

    // Appends whole lines to out until it holds at least size bytes.
    void appendText(QByteArray &out, qint64 size);

    // Appends whole lines to out, taking words from nextWord, until nextWord returns nullptr.
    void appendWords(QByteArray &out, const std::function<const std::string *()> &nextWord);

    Random &random() { return m_random; }

private:
    Random m_random;
};
