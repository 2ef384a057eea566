#include "results/thresholdnumber.h"

#include "results/resultcolumn.h"
#include "text/integerconversion.h"
#include "text/numberformat.h"

double readThresholdNumber(int column, const QString &text, QChar decimalSeparator)
{
    if (column == ResultColumn::F)
        return StrToInt(text);
    return cellNumber(text, decimalSeparator);
}

bool exceedsThreshold(int column, const QString &cell, double threshold, QChar decimalSeparator)
{
    return readThresholdNumber(column, cell, decimalSeparator) > threshold;
}
