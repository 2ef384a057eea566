#pragma once

#include <QString>
#include <utility>

// One line of the result table. Zero in seconds, files, bytes, floorSeconds or rgSeconds leaves
// the column that needs it empty.
struct TableRow
{
    TableRow(QString shape, QString measurement, double seconds = 0.0, qint64 files = 0,
             qint64 bytes = 0)
        : shape(std::move(shape)), measurement(std::move(measurement)), seconds(seconds),
          files(files), bytes(bytes)
    {
    }

    QString shape;
    QString measurement;
    double seconds = 0.0;
    qint64 files = 0;
    qint64 bytes = 0;
    double floorSeconds = 0.0;
    double rgSeconds = 0.0;
    QString notes;
};

// Prints the table to standard output line by line as the measurements come in.
void printTableHeader();
void printTableRow(const TableRow &row);
// The line that printTableRow prints, without its line break.
QString formatTableRow(const TableRow &row);
