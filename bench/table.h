#pragma once

#include <QString>
#include <utility>

// One line of the result table. Zero in seconds, files or any of the other times leaves the
// columns that need it empty.
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
    // "warm" or "cold" for the searches and floors, empty for the rest.
    QString cache;
    // QVX's time, or the time of what the row measures.
    double seconds = 0.0;
    qint64 files = 0;
    qint64 bytes = 0;
    double rgOneThreadSeconds = 0.0;
    double rgSeconds = 0.0;
    double floorSeconds = 0.0;
    double cliSeconds = 0.0;
    QString notes;
};

// Prints the table to standard output line by line as the measurements come in.
void printTableHeader();
void printTableRow(const TableRow &row);
// The line that printTableRow prints, without its line break.
QString formatTableRow(const TableRow &row);
