#include "results/resultcells.h"

#include "text/numberformat.h"

double rowScore(qint32 f, qint32 fB, double fK, double fBK)
{
    if (fB <= -1)
        return -1.0;
    const double weightedF = f * fK;
    const double weightedFB = fB * fBK;
    return weightedF + weightedFB;
}

QStringList resultCells(qint32 f, double proz, qint32 fB, double G, QChar decimalSeparator)
{
    return {formatInteger(f), formatGeneral(proz, decimalSeparator), formatInteger(fB),
            formatGeneral(G, decimalSeparator)};
}
