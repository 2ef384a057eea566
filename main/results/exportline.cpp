#include "results/exportline.h"

#include "results/substitutedpaths.h"

QString exportLine(const QString &path, const QStringList &numberCells)
{
    QStringList fields{pathInLine(path)};
    fields << numberCells;
    return fields.join(QLatin1Char('\t'));
}
