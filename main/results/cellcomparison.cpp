#include "results/cellcomparison.h"

#include "results/textcompare.h"
#include "search/integerconversion.h"
#include "search/numberformat.h"

qint32 compareIntegers(qint32 p, qint32 q)
{
    // Unsigned arithmetic wraps without undefined behaviour.
    return static_cast<qint32>(static_cast<quint32>(p) - static_cast<quint32>(q));
}

qint32 compareNumbers(double p, double q)
{
    if (p > q)
        return 1;
    if (p < q)
        return -1;
    return 0;
}

qint32 compareCells(int column, const QString &p, const QString &q, QChar decimalSeparator)
{
    switch (column) {
    case 0:
        return CompareText(p, q);
    case 1:
    case 3:
        return compareIntegers(StrToInt(p), StrToInt(q));
    default:
        return compareNumbers(StrToFloat(p, decimalSeparator), StrToFloat(q, decimalSeparator));
    }
}
