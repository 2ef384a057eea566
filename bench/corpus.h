#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

// A directory of text files to measure on, with what the measurements need to know about it.
struct Corpus
{
    QString name;
    QString directory;
    QStringList paths;
    qint64 totalBytes = 0;
    qint64 largestFile = 0;
};

// Lists the *.txt files of directory (sorted by name) with their sizes.
Corpus describeCorpus(const QString &name, const QString &directory);

// The corpus shapes, in the order they are measured:
// - "dense": about 20,000 files, 400 MB, 1 KB to 200 KB each, of about a hundred words drawn
//   evenly, so that the searched words stand ten to a hundred times denser than in prose;
// - "dense-small": 100,000 such files of about 2 KB;
// - "large", "small" and "mixed": prose with the word frequencies of German (see ProseWriter)
//   over the dictionary of wngerman; "large" and "small" sized as the dense ones, "mixed" 20,000
//   files, mostly of 1 to 10 KB, one in a hundred of 100 KB to 5 MB;
// - "real": the German manual pages that Debian ships, one text per section;
// - "single-100mb", "single-600mb" and "single-1gb": one text of such prose of that size, which
//   shows what a text costs that is read in many pieces;
// - "million": 1,000,000 sources, hard links to 20,000 texts of "small", which shows what the
//   window's own thread and memory cost per source.
// The last two are left out unless asked for.
QStringList corpusShapes();

// The shapes that are measured only when named: they take minutes.
QStringList slowShapes();

// The size of the one text of a single-text shape, or 0 for a shape of many files.
qint64 singleTextSize(const QString &shape);

// The directory of shape under root, generated there the first time (file counts times scale,
// for the generated shapes, text size times scale for the single-text ones). Empty, after saying
// why on standard error, when what the shape is made from is not installed.
QString corpusDirectory(const QString &shape, const QString &root, double scale = 1.0);

class Random;

// How many files a generated shape has, and the size in bytes of its file i (before the last line
// is completed); sizes draws from random. Throws std::runtime_error for an unknown shape.
int shapeFileCount(const QString &shape);
qint64 shapeFileSize(const QString &shape, int i, Random &sizes);

// A single text of about 3.7 MB, which the preview shows whole, holding exactly previewSearchHits()
// matches of previewSearchString() and previewWeightingHits() of previewWeightingString().
QString generatedPreviewText(const QString &root);
QString previewSearchString();
QString previewWeightingString();
int previewSearchHits();
int previewWeightingHits();
