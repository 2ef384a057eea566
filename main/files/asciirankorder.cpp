#include "files/asciirankorder.h"

#include "files/twohalves.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string_view>

namespace {

constexpr char kFirstPrintable = 0x20;
constexpr char kLastPrintable = 0x7E;

bool printable(char c)
{
    return c >= kFirstPrintable && c <= kLastPrintable;
}

// The ranks of the printable characters from 1 on; 0 is left for the end of a name's ranks.
std::array<unsigned char, 128> characterRanks(const QCollator &collator)
{
    std::vector<QChar> characters;
    for (char c = kFirstPrintable; c <= kLastPrintable; ++c)
        characters.push_back(QLatin1Char(c));
    const auto compare = [&collator](QChar a, QChar b) {
        return collator.compare(QStringView(&a, 1), QStringView(&b, 1));
    };
    std::stable_sort(characters.begin(), characters.end(),
                     [&compare](QChar a, QChar b) { return compare(a, b) < 0; });
    std::array<unsigned char, 128> ranks{};
    unsigned char rank = 0;
    for (size_t i = 0; i < characters.size(); ++i) {
        if (i == 0 || compare(characters[i - 1], characters[i]) != 0)
            ++rank;
        ranks[characters[i].unicode()] = rank;
    }
    return ranks;
}

// The key's first sixteen bytes, in an order that integers compare as the bytes do, decide
// most comparisons without a look at the block. No key begins another (its ranks end where its
// 0 stands), so the zeros that fill a short head decide nothing wrongly.
struct RankKey
{
    quint64 head[2];
    qsizetype start;
    qsizetype length;
    qsizetype index;
};

constexpr qsizetype kHeadBytes = 16;

quint64 bigEndianWord(const char *data, qsizetype length)
{
    unsigned char bytes[8] = {};
    std::memcpy(bytes, data, size_t(qBound(qsizetype(0), length, qsizetype(8))));
    quint64 word = 0;
    for (const unsigned char byte : bytes)
        word = (word << 8) | byte;
    return word;
}

RankKey rankKey(const char *keys, qsizetype start, qsizetype length, qsizetype index)
{
    const char *const data = keys + start;
    return {
        {bigEndianWord(data, length), bigEndianWord(data + 8, length - 8)}, start, length, index};
}

// Writes the key of each name of [from, to) at its start in keys, with its entry; false when a
// name holds a byte other than printable ASCII.
bool fillKeys(const std::array<unsigned char, 128> &ranks,
              const std::function<QByteArrayView(qsizetype)> &name, qsizetype from, qsizetype to,
              const std::vector<qsizetype> &starts, char *keys, std::vector<RankKey> &entries)
{
    for (qsizetype i = from; i < to; ++i) {
        const QByteArrayView bytes = name(i);
        char *key = keys + starts[size_t(i)];
        for (const char c : bytes) {
            if (!printable(c))
                return false;
            *key++ = char(ranks[size_t(c)]);
        }
        *key++ = '\0';
        std::memcpy(key, bytes.data(), size_t(bytes.size()));
        const qsizetype start = starts[size_t(i)];
        entries[size_t(i)] = rankKey(keys, start, starts[size_t(i + 1)] - start, i);
    }
    return true;
}

} // namespace

std::optional<std::vector<qsizetype>>
asciiRankOrder(const QCollator &collator, qsizetype count,
               const std::function<QByteArrayView(qsizetype)> &name)
{
    const std::array<unsigned char, 128> ranks = characterRanks(collator);
    // Each key is the name's ranks, a 0, and the name's bytes, all in one block.
    std::vector<qsizetype> starts(size_t(count) + 1);
    for (qsizetype i = 0; i < count; ++i)
        starts[size_t(i + 1)] = starts[size_t(i)] + 2 * name(i).size() + 1;
    const std::unique_ptr<char[]> keys(new char[size_t(starts.back())]);
    std::vector<RankKey> entries(static_cast<size_t>(count));
    const auto tail = [&keys](const RankKey &entry) {
        return std::string_view(keys.get() + entry.start, size_t(entry.length))
            .substr(size_t(qMin(kHeadBytes, entry.length)));
    };
    const auto before = [&tail](const RankKey &a, const RankKey &b) {
        if (a.head[0] != b.head[0])
            return a.head[0] < b.head[0];
        if (a.head[1] != b.head[1])
            return a.head[1] < b.head[1];
        return tail(a) < tail(b);
    };
    // Each half is keyed and sorted on a thread of its own, then the two are merged.
    bool printableOnly[2] = {true, true};
    qsizetype secondHalf = 0;
    inTwoHalves(count, [&](int half, qsizetype from, qsizetype to) {
        printableOnly[half] = fillKeys(ranks, name, from, to, starts, keys.get(), entries);
        if (printableOnly[half])
            std::sort(entries.begin() + from, entries.begin() + to, before);
        if (half == 1)
            secondHalf = from;
    });
    if (!printableOnly[0] || !printableOnly[1])
        return std::nullopt;
    // Merged straight into the order: a merge in place would take a buffer as large as the keys.
    std::vector<qsizetype> order;
    order.reserve(entries.size());
    auto a = entries.cbegin();
    const auto middle = entries.cbegin() + secondHalf;
    auto b = middle;
    while (a != middle && b != entries.cend())
        order.push_back((before(*b, *a) ? *b++ : *a++).index);
    for (; a != middle; ++a)
        order.push_back(a->index);
    for (; b != entries.cend(); ++b)
        order.push_back(b->index);
    return order;
}
