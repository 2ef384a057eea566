#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

struct RipgrepRun
{
    double seconds = 0.0;
    qint64 matches = 0;
    QString error;
};

bool ripgrepInstalled();

// Adds up the "path:count" lines of rg --count-matches; a path may itself hold colons. Allocates
// nothing per line.
qint64 sumOfCounts(QByteArrayView output);

// Runs "rg -j1 --count-matches --no-ignore --hidden -E latin1 [--pcre2] PATTERN DIR" and adds up
// the counts it prints per file.
RipgrepRun runRipgrep(const QString &pattern, const QString &directory, bool pcre2);
