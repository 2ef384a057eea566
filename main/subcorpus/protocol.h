#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A copied text with the numbers of its row; -1 stands for "no such number", as in the window.
struct ProtocolText
{
    QString path;
    qint32 f = -1;
    double percent = -1.0;
    qint32 fB = -1;
    double g = -1.0;
};

// How a subcorpus was made, written beside its copies so that its search can be reported and
// run again. Window and qvx-cli write the same record.
struct SubcorpusProtocol
{
    QString program;
    QString version;
    QDateTime date;
    // The program and its arguments; empty for the window, which has no command.
    QStringList command;
    // The working directory, against which a relative path in a list of sources resolves.
    QString directory;

    bool regex = true;
    QString pattern;
    QString exclude;
    QString weight;
    // Nothing where the window's factor field held no number.
    std::optional<double> fK;
    std::optional<double> fBK;
    // The simple search's case rule.
    bool ignoreCase = false;
    std::optional<qint32> minF;
    std::optional<double> minPercent;
    std::optional<double> minFB;
    // The sorted column as qvx-cli's --sort names it; empty for the order of the sources.
    QString sort;
    bool ascending = false;

    // Full paths: directories, texts, and "@" followed by a list file.
    QStringList sources;
    bool recursive = false;
    QStringList globs;
    // As qvx-cli's --encoding names it.
    QString encoding;

    // In the order of the copies.
    QList<ProtocolText> texts;
};

// The record's name in the subcorpus directory: not *.txt, so that concordancers pass it by.
inline const QString protocolFileName = QStringLiteral("qvx-protokoll.json");
