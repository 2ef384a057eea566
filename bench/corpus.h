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

// The two generated shapes: "big" (about 20,000 files, 400 MB, 1 KB to 200 KB each) and
// "small" (100,000 files of about 2 KB). Generated once under root and reused afterwards.
Corpus generatedCorpus(const QString &shape, const QString &root);
// The same corpus generated where needed, without listing it; returns its directory.
QString generatedCorpusDirectory(const QString &shape, const QString &root);

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
