#include "corpus.h"
#include "fixtures.h"
#include "preview/linemarker.h"
#include "textgenerator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// The lines of Windows-1252 text that must end with CR LF, each without its break.
QList<QByteArray> crLfLines(const QByteArray &text)
{
    EXPECT_TRUE(text.endsWith("\r\n"));
    QList<QByteArray> lines = text.split('\n');
    lines.removeLast();
    for (QByteArray &line : lines) {
        EXPECT_TRUE(line.endsWith('\r')) << line.constData();
        line.chop(1);
    }
    return lines;
}

} // namespace

TEST(LineWriter, WritesGermanWindows1252LinesOf60To120Characters)
{
    QByteArray text;
    LineWriter(7).appendText(text, 200000);
    EXPECT_GE(text.size(), 200000);
    // Whole lines only: it stops within one line of the size asked for.
    EXPECT_LT(text.size(), 200000 + 124);
    bool umlaut = false;
    for (const QByteArray &line : crLfLines(text)) {
        EXPECT_GE(line.size(), 60) << line.constData();
        EXPECT_LE(line.size(), 120) << line.constData();
        EXPECT_FALSE(line.contains('\r')) << line.constData();
        EXPECT_FALSE(line.contains('\0'));
        umlaut = umlaut || line.contains('\xE4') || line.contains('\xFC');
    }
    EXPECT_TRUE(umlaut);
    // The words the benchmark searches for all come up.
    for (const char *word : {"Haus", "heute", "Morgen", " und ", "sowohl", "als auch"})
        EXPECT_TRUE(text.contains(word)) << word;
}

TEST(LineWriter, SameSeedSameTextOtherSeedOtherText)
{
    QByteArray first, again, other;
    LineWriter(99).appendText(first, 5000);
    LineWriter(99).appendText(again, 5000);
    LineWriter(100).appendText(other, 5000);
    EXPECT_EQ(first, again);
    EXPECT_NE(first, other);
}

TEST(CorpusShapes, DenseAndLargeAverageTwentyKilobytesBetweenOneAndTwoHundred)
{
    for (const char *shape : {"dense", "large"}) {
        ASSERT_EQ(shapeFileCount(shape), 20000);
        Random sizes(3);
        qint64 total = 0;
        qint64 largest = 0;
        for (int i = 0; i < shapeFileCount(shape); ++i) {
            const qint64 size = shapeFileSize(shape, i, sizes);
            EXPECT_GE(size, 1024);
            EXPECT_LE(size, 200 * 1024);
            total += size;
            largest = qMax(largest, size);
        }
        EXPECT_EQ(largest, 200 * 1024);
        EXPECT_GT(total, 370'000'000);
        EXPECT_LT(total, 430'000'000);
    }

    for (const char *shape : {"dense-small", "small"}) {
        ASSERT_EQ(shapeFileCount(shape), 100000);
        Random sizes(3);
        for (int i = 0; i < 1000; ++i) {
            const qint64 size = shapeFileSize(shape, i, sizes);
            EXPECT_GE(size, 1536);
            EXPECT_LE(size, 2560);
        }
    }
    EXPECT_THROW(shapeFileCount("medium"), std::runtime_error);
    EXPECT_THROW(shapeFileCount("real"), std::runtime_error);
}

TEST(CorpusShapes, MixedIsMostlySmallWithOneInAHundredOfAHundredKilobytesToFiveMegabytes)
{
    ASSERT_EQ(shapeFileCount("mixed"), 20000);
    Random sizes(8);
    int large = 0;
    qint64 total = 0;
    for (int i = 0; i < shapeFileCount("mixed"); ++i) {
        const qint64 size = shapeFileSize("mixed", i, sizes);
        total += size;
        if (size > 10 * 1024) {
            ++large;
            EXPECT_GE(size, 100 * 1024);
        } else {
            EXPECT_GE(size, 1024);
        }
        EXPECT_LE(size, 5 * 1024 * 1024);
    }
    EXPECT_EQ(shapeFileSize("mixed", 0, sizes), 5 * 1024 * 1024);
    EXPECT_GT(large, 150);
    EXPECT_LT(large, 260);
    EXPECT_GT(total, 200'000'000);
    EXPECT_LT(total, 450'000'000);
}

TEST(PreviewText, HoldsExactlyTheMatchesItPromisesAndIsMadeOnce)
{
    TempCorpus root;
    const QString path = generatedPreviewText(root.path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    // Large, and still shown whole by the preview.
    EXPECT_GT(text.size(), 3'000'000);
    EXPECT_LT(text.size(), previewTextLimit);
    EXPECT_EQ(text.count(previewSearchString().toLatin1()), previewSearchHits());
    EXPECT_EQ(text.count(previewWeightingString().toLatin1()), previewWeightingHits());
    crLfLines(text.left(text.indexOf("\r\n", 100000) + 2));

    // A second call takes the text that is there.
    const QDateTime written = QFileInfo(path).lastModified();
    EXPECT_EQ(generatedPreviewText(root.path()), path);
    EXPECT_EQ(QFileInfo(path).lastModified(), written);
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(path).path() + ".partial"));
}

TEST(DescribeCorpus, CountsOnlyTextFilesInNameOrder)
{
    TempCorpus corpus;
    corpus.write("b.txt", "12345");
    corpus.write("a.txt", "1");
    corpus.write("c.dat", "123456789");
    QDir(corpus.path()).mkdir("d.txt");
    const Corpus described = describeCorpus("eigen", corpus.path());
    EXPECT_EQ(described.paths, (QStringList{corpus.filePath("a.txt"), corpus.filePath("b.txt")}));
    EXPECT_EQ(described.totalBytes, 6);
    EXPECT_EQ(described.largestFile, 5);

    TempCorpus empty;
    EXPECT_THROW(describeCorpus("leer", empty.path()), std::runtime_error);
}
