#pragma once

#include "text/sourceencoding.h"

#include <QString>
#include <QStringList>
#include <optional>

enum class OutputFormat
{
    Tsv,
    Export,
    Jsonl,
    // Set by -l: the path alone, ended by LF or, with -0, by NUL.
    Paths,
    NulPaths,
};

// Everything the command line asks for.
struct CliOptions
{
    QString pattern;
    QStringList sources;
    QString exclude;
    QString weight;
    double fK = 1.0;
    double fBK = 1.0;
    bool simple = false;
    bool ignoreCase = false;
    // A result column (0 path, 1 f, 2 %, 3 fB, 4 G), or -1 for the order of the sources.
    int sortColumn = -1;
    // The window's first sort is descending.
    bool ascending = false;
    std::optional<qint32> minF;
    std::optional<double> minPercent;
    std::optional<double> minFB;
    // 0: the default number of threads.
    int jobs = 0;
    bool quiet = false;
    bool recursive = false;
    bool keepGoing = false;
    OutputFormat format = OutputFormat::Tsv;
    bool filesWithMatches = false;
    bool nullEnds = false;
    // A first line naming the TSV columns.
    bool header = false;
    bool stats = false;
    // Patterns for the names of a directory's texts; one with a leading '!' leaves them out.
    QStringList globs;
    QString outputFile;
    QString copyTo;
    bool replace = false;
    // An AntConc version (0 3.4.1w, 1 3.2.4w, 2 3.2.4m), or -1 for none.
    int antconcVersion = -1;
    // Characters on either side of each match, written in place of the rows; -1 for the rows.
    int kwicWidth = -1;
    // A record of the search beside the copies of --copy-to.
    bool protocol = false;
    // The record whose search is run again, in place of a search of the command line's own.
    QString repeatFile;
    SourceEncoding encoding = SourceEncoding::Windows1252;
    // MUSTER, -x and -w read as Windows-1252 instead of UTF-8.
    bool patternsInWindows1252 = false;
    bool help = false;
    bool version = false;
};

struct ParsedOptions
{
    CliOptions options;
    // Empty when the command line is sound; otherwise a German sentence.
    QString error;
};

// Reads the arguments after the program's name. Options and operands may be mixed; "--" ends
// the options. Numbers take a point as decimal separator, or the one of the user's locale.
ParsedOptions parseOptions(const QStringList &arguments);
