#include "results/cellcomparison.h"

#include <cmath>

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

qint32 compareNumbersInOrder(double p, double q, bool ascending)
{
    if (std::isnan(p) || std::isnan(q))
        return qint32(std::isnan(p)) - qint32(std::isnan(q));
    return ascending ? compareNumbers(p, q) : compareNumbers(q, p);
}
