#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What one run of the qvx-cli program gave.
struct CliResult
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs qvx-cli with the arguments under a German locale (or locale) and stdinData as its input.
// A program that does not end normally gives status -1.
CliResult runTool(const QStringList &arguments, const QByteArray &stdinData = {},
                  const QString &locale = QStringLiteral("de_DE.UTF-8"));

// Runs qvx-cli as runTool does, in the working directory directory.
CliResult runToolIn(const QString &directory, const QStringList &arguments);

// Runs qvx-cli as runTool does, with arguments given as bytes: a QString argument would reach
// the program in UTF-8, but file names and patterns need not be UTF-8.
CliResult runToolWithBytes(const QList<QByteArray> &arguments);

// The entries of a directory, hidden ones included, sorted.
QStringList entriesOf(const QString &directory);
