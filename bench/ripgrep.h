#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

struct RipgrepRun
{
    double seconds = 0.0;
    qint64 matches = 0;
    // Its peak resident memory in bytes, or -1 where unknown.
    qint64 peakResident = -1;
    QString error;
};

bool ripgrepInstalled();

// Adds up the "path:count" lines of rg --count-matches; a path may itself hold colons. Allocates
// nothing per line.
qint64 sumOfCounts(QByteArrayView output);

// Adds up what number(line) gives for every line of a program's output.
qint64 sumOverLines(QByteArrayView output, qint64 (*number)(QByteArrayView line));

// What ripgrep is asked: the matches of a regular expression, or (simpleSubstring) which files
// hold a plain string, optionally ignoring case.
struct RipgrepQuery
{
    QString pattern;
    bool simpleSubstring = false;
    bool ignoreCase = false;
};

// Runs "rg --no-ignore --hidden -E latin1 [-jTHREADS] --count-matches PATTERN DIR" and adds up the
// counts it prints per file, or for a simple substring "... --files-with-matches -F [-i] ..." and
// counts the files; threads 0 leaves ripgrep its own choice.
RipgrepRun runRipgrep(const RipgrepQuery &query, const QString &directory, int threads);

// The number of lines of output, a last one without a line break included.
qint64 countLines(QByteArrayView output);
