#include "results/thresholdnumber.h"

#include "search/integerconversion.h"
#include "search/numberformat.h"

double readThresholdNumber(int column, const QString &text, QChar decimalSeparator)
{
    if (column == 1)
        return StrToInt(text);
    return StrToFloat(text, decimalSeparator);
}
