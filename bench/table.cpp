#include "table.h"

#include <QStringList>
#include <cstdio>

namespace {

const char kFormat[] = "%-11s %-36s %-4s %8s %8s %8s %6s %6s %8s %8s  %s";

QString number(double value, int decimals, bool show)
{
    return show ? QString::number(value, 'f', decimals) : QStringLiteral("-");
}

QString ratio(double seconds, double base)
{
    return number(seconds / base, 2, seconds > 0.0 && base > 0.0);
}

} // namespace

void printTableHeader()
{
    std::printf("%s\n", QString::asprintf(kFormat, "shape", "measurement", "pc", "QVX s", "rg-j1 s",
                                          "rg s", "/rg-j1", "/rg", "floor s", "cli s", "notes")
                            .toLatin1()
                            .constData());
    std::printf("%s\n", QString(130, QLatin1Char('-')).toLatin1().constData());
    std::fflush(stdout);
}

QString formatTableRow(const TableRow &row)
{
    const bool timed = row.seconds > 0.0;
    QString notes = row.notes;
    // A rate of items says nothing about a single one.
    QStringList rates;
    if (timed && row.files > 1)
        rates << QStringLiteral("%1 items/s").arg(row.files / row.seconds, 0, 'f', 0);
    if (timed && row.bytes > 0)
        rates << QStringLiteral("%1 MB/s").arg(row.bytes / 1e6 / row.seconds, 0, 'f', 1);
    if (!rates.isEmpty())
        notes = rates.join(QStringLiteral(", ")) + (notes.isEmpty() ? QString() : "; " + notes);
    const auto seconds = [](double value) { return number(value, 3, value > 0.0); };
    return QString::asprintf(
        kFormat, qPrintable(row.shape), qPrintable(row.measurement), qPrintable(row.cache),
        qPrintable(seconds(row.seconds)), qPrintable(seconds(row.rgOneThreadSeconds)),
        qPrintable(seconds(row.rgSeconds)), qPrintable(ratio(row.seconds, row.rgOneThreadSeconds)),
        qPrintable(ratio(row.seconds, row.rgSeconds)), qPrintable(seconds(row.floorSeconds)),
        qPrintable(seconds(row.cliSeconds)), qPrintable(notes));
}

void printTableRow(const TableRow &row)
{
    std::printf("%s\n", formatTableRow(row).toLocal8Bit().constData());
    std::fflush(stdout);
}
