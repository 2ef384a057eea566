#pragma once

#include <QString>
#include <QStringList>

// How a program run by runChild ended.
struct ChildRun
{
    double seconds = 0.0;
    // The exit status, or -1 when the program could not be started or was ended by a signal.
    int exitCode = -1;
    // The program's peak resident memory in bytes, or -1 where GNU time is not installed.
    qint64 peakResident = -1;
    // What it wrote to standard error, trimmed, or why it could not be started.
    QString standardError;
};

// Runs program (looked up in PATH when it holds no slash) with arguments, its standard output
// going to outputPath, and waits for it; through /usr/bin/time where it is installed, which
// measures the program's peak memory apart from the benchmark's.
ChildRun runChild(const QString &program, const QStringList &arguments, const QString &outputPath);
