// CompareText on random texts: it must order them as a plain comparison of their ASCII-folded
// code units does, which makes it antisymmetric, zero exactly for texts equal after folding, and
// transitive. The sort of the path column, which folds every path once, must agree with it.
//
// Input: the bytes 0xFF split it into up to three texts. Bytes below 0x80 are the ASCII
// character of that code; the others pick a code unit from a list of letters around the
// folding (umlauts, ß, the Kelvin sign, the dotted capital I) and units at the ends of the range.
#include "fuzzcheck.h"
#include "results/sortkeys.h"
#include "results/textcompare.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr char16_t kHighUnits[16] = {
    u'ä',   u'Ä',   u'ö',   u'Ö',   u'ü',   u'Ü',   u'ß',   0x212A,
    0x0130, 0x0131, 0x00FF, 0x0178, 0xD800, 0xDC00, 0xFFFD, 0xFFFF,
};

std::vector<QString> splitTexts(const uint8_t *data, size_t size)
{
    std::vector<QString> texts(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF) {
            if (texts.size() == 3)
                break;
            texts.emplace_back();
            continue;
        }
        texts.back().append(data[i] < 0x80 ? QChar(data[i]) : QChar(kHighUnits[data[i] % 16]));
    }
    while (texts.size() < 3)
        texts.emplace_back();
    return texts;
}

std::u16string folded(const QString &text)
{
    std::u16string out;
    for (const QChar c : text) {
        char16_t unit = c.unicode();
        if (unit >= u'a' && unit <= u'z')
            unit = static_cast<char16_t>(unit - u'a' + u'A');
        out.push_back(unit);
    }
    return out;
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::vector<QString> texts = splitTexts(data, size);
    int order[3][3];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            order[i][j] = sign(CompareText(texts[i], texts[j]));
            // std::u16string compares unsigned code units, the shorter of two prefixes first.
            const int expected = sign(folded(texts[i]).compare(folded(texts[j])));
            require(order[i][j] == expected, "CompareText orders as the folded code units do");
        }
    }
    for (int i = 0; i < 3; ++i) {
        require(order[i][i] == 0, "a text equals itself");
        for (int j = 0; j < 3; ++j) {
            require(order[i][j] == -order[j][i], "CompareText is antisymmetric");
            for (int k = 0; k < 3; ++k)
                if (order[i][j] <= 0 && order[j][k] <= 0)
                    require(order[i][k] <= 0, "CompareText is transitive");
        }
    }

    const QStringList cells = {texts[0], texts[1], texts[2]};
    const SortKeys keys(0, cells, QChar(u','));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            require(sign(keys.compare(i, j, true)) == order[i][j],
                    "the sort keys compare as CompareText");
            require(sign(keys.compare(i, j, false)) == order[j][i],
                    "descending compares the exchanged cells");
        }
    for (const bool ascending : {true, false}) {
        const QList<qsizetype> sorted = sortOrder(0, cells, QChar(u','), ascending);
        require(sorted.size() == 3 && sorted.contains(0) && sorted.contains(1) &&
                    sorted.contains(2),
                "the sort order holds every row once");
        for (qsizetype k = 0; k + 1 < sorted.size(); ++k) {
            const int step = order[sorted[k]][sorted[k + 1]];
            require(ascending ? step <= 0 : step >= 0, "the sort order follows CompareText");
            // The merge sort keeps equal rows in their order.
            if (step == 0)
                require(sorted[k] < sorted[k + 1], "equal rows keep their order");
        }
    }
    return 0;
}
