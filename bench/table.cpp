#include "table.h"

#include <cstdio>

namespace {

QString number(double value, int decimals, bool show)
{
    return show ? QString::number(value, 'f', decimals) : QStringLiteral("-");
}

} // namespace

void printTableHeader()
{
    std::printf("%-6s %-42s %9s %9s %8s %7s %6s  %s\n", "shape", "measurement", "median s",
                "items/s", "MB/s", "x floor", "x rg", "notes");
    std::printf("%s\n", QString(110, QLatin1Char('-')).toLatin1().constData());
    std::fflush(stdout);
}

QString formatTableRow(const TableRow &row)
{
    const bool timed = row.seconds > 0.0;
    const QString filesPerSecond = number(row.files / row.seconds, 0, timed && row.files > 0);
    const QString mbPerSecond = number(row.bytes / 1e6 / row.seconds, 1, timed && row.bytes > 0);
    const QString toFloor =
        number(row.seconds / row.floorSeconds, 2, timed && row.floorSeconds > 0);
    const QString toRg = number(row.seconds / row.rgSeconds, 2, timed && row.rgSeconds > 0);
    return QString::asprintf("%-6s %-42s %9s %9s %8s %7s %6s  %s", qPrintable(row.shape),
                             qPrintable(row.measurement), qPrintable(number(row.seconds, 3, timed)),
                             qPrintable(filesPerSecond), qPrintable(mbPerSecond),
                             qPrintable(toFloor), qPrintable(toRg), qPrintable(row.notes));
}

void printTableRow(const TableRow &row)
{
    std::printf("%s\n", formatTableRow(row).toLocal8Bit().constData());
    std::fflush(stdout);
}
