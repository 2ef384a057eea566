#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The command-line program's executable next to the benchmark's build, or empty.
QString defaultQvxCliPath(const QString &benchDirectory);

// Adds up the second field (f) of the rows of "qvx-cli --format tsv": no header line, one row
// per text, five fields parted by TABs, the path first (which holds no TAB).
qint64 sumOfTsvF(QByteArrayView output);

struct QvxCliRun
{
    double seconds = 0.0;
    qint64 matches = 0;
    // Its peak resident memory in bytes, or -1 where unknown.
    qint64 peakResident = -1;
    QString error;
};

// Runs "PROGRAM --format tsv ARGUMENTS" with its rows going to a file; exit status 1 only says
// that no row qualified.
QvxCliRun runQvxCli(const QString &program, const QStringList &arguments);
