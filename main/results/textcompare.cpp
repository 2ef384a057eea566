#include "results/textcompare.h"

namespace {

int foldAscii(QChar c)
{
    const char16_t unit = c.unicode();
    return unit >= u'a' && unit <= u'z' ? unit - (u'a' - u'A') : unit;
}

} // namespace

int CompareText(const QString &s1, const QString &s2)
{
    const qsizetype common = qMin(s1.size(), s2.size());
    for (qsizetype i = 0; i < common; ++i) {
        const int difference = foldAscii(s1.at(i)) - foldAscii(s2.at(i));
        if (difference != 0)
            return difference;
    }
    return static_cast<int>(s1.size() - s2.size());
}
