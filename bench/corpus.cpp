#include "corpus.h"

#include "prosewriter.h"
#include "realcorpus.h"
#include "textgenerator.h"
#include "textlinks.h"
#include "vocabulary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>

namespace {

// Raised whenever the generated text changes or a shape's name takes a new meaning, so that an
// old cache is never taken for a new one (v1's "small" was today's "dense-small").
const QString kVersion = QStringLiteral("v2");
constexpr std::uint64_t kSeed = 0x51564221;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QString fileName(int i)
{
    return QStringLiteral("text%1.txt").arg(i, 6, 10, QLatin1Char('0'));
}

// Runs fill in a fresh directory next to final and moves it into place when it is done, so that
// an interrupted generation is never mistaken for a finished one.
void generateOnce(const QString &final, const std::function<void(const QString &)> &fill)
{
    if (QFileInfo::exists(final))
        return;
    const QString partial = final + QStringLiteral(".partial");
    QDir(partial).removeRecursively();
    if (!QDir().mkpath(partial))
        throw std::runtime_error("cannot create " + partial.toStdString());
    std::fprintf(stderr, "generating %s ...\n", qPrintable(final));
    fill(partial);
    if (!QDir().rename(partial, final))
        throw std::runtime_error("cannot rename " + partial.toStdString());
}

} // namespace

QStringList corpusShapes()
{
    return {QStringLiteral("dense"),        QStringLiteral("dense-small"),
            QStringLiteral("large"),        QStringLiteral("small"),
            QStringLiteral("mixed"),        QStringLiteral("real"),
            QStringLiteral("single-100mb"), QStringLiteral("single-600mb"),
            QStringLiteral("single-1gb"),   QStringLiteral("million")};
}

QStringList slowShapes()
{
    return {QStringLiteral("single-1gb"), QStringLiteral("million")};
}

qint64 singleTextSize(const QString &shape)
{
    if (shape == QLatin1String("single-100mb"))
        return 100'000'000;
    if (shape == QLatin1String("single-600mb"))
        return 600'000'000;
    if (shape == QLatin1String("single-1gb"))
        return 1'000'000'000;
    return 0;
}

int shapeFileCount(const QString &shape)
{
    if (singleTextSize(shape) > 0)
        return 1;
    if (shape == QLatin1String("dense") || shape == QLatin1String("large") ||
        shape == QLatin1String("mixed"))
        return 20000;
    if (shape == QLatin1String("dense-small") || shape == QLatin1String("small"))
        return 100000;
    throw std::runtime_error("unknown corpus shape " + shape.toStdString());
}

namespace {

// Evenly spread over the logarithm of the size, from low to high bytes.
qint64 logUniform(Random &sizes, double low, double high)
{
    return qint64(low * std::pow(high / low, sizes.unit()));
}

} // namespace

qint64 shapeFileSize(const QString &shape, int i, Random &sizes)
{
    shapeFileCount(shape);
    if (const qint64 size = singleTextSize(shape); size > 0)
        return size;
    if (shape == QLatin1String("dense-small") || shape == QLatin1String("small"))
        return 1536 + qint64(sizes.below(1025));
    if (shape == QLatin1String("mixed")) {
        // The first file the largest, as the memory measurement wants one of known size.
        if (i == 0)
            return 5 * 1024 * 1024;
        return sizes.below(100) == 0 ? logUniform(sizes, 100 * 1024, 5 * 1024 * 1024)
                                     : logUniform(sizes, 1024, 10 * 1024);
    }
    // Exponential sizes averaging 20 KB (about 400 MB in all), the first file the largest.
    if (i == 0)
        return 200 * 1024;
    const double kb = 1.0 - 19.4 * std::log(1.0 - sizes.unit());
    return qint64(std::min(kb, 200.0) * 1024);
}

Corpus describeCorpus(const QString &name, const QString &directory)
{
    Corpus corpus;
    corpus.name = name;
    corpus.directory = QDir(directory).absolutePath();
    // Names first and sizes one by one, so that no file information objects of a hundred
    // thousand files are freed between the paths that stay.
    const QStringList names =
        QDir(corpus.directory).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    corpus.paths.reserve(names.size());
    for (const QString &name : names) {
        const QString path = corpus.directory + QLatin1Char('/') + name;
        struct stat status;
        if (::stat(QFile::encodeName(path).constData(), &status) != 0)
            throw std::runtime_error("cannot stat " + path.toStdString());
        corpus.paths << path;
        corpus.totalBytes += status.st_size;
        corpus.largestFile = std::max(corpus.largestFile, qint64(status.st_size));
    }
    if (corpus.paths.isEmpty())
        throw std::runtime_error("no *.txt files in " + directory.toStdString());
    return corpus;
}

namespace {

// The vocabulary of the prose shapes, read once; null when the word list is missing.
std::shared_ptr<const ProseVocabulary> proseVocabulary()
{
    static const std::shared_ptr<const ProseVocabulary> vocabulary =
        []() -> std::shared_ptr<const ProseVocabulary> {
        const std::vector<std::string> dictionary = loadWordList(defaultWordListPath());
        if (dictionary.empty())
            return nullptr;
        return std::make_shared<const ProseVocabulary>(rankedVocabulary(dictionary, kSeed));
    }();
    return vocabulary;
}

// The dense shapes keep the file sizes they had under their first names.
QString sizeSeedName(const QString &shape)
{
    if (shape == QLatin1String("dense"))
        return QStringLiteral("big");
    if (shape == QLatin1String("dense-small"))
        return QStringLiteral("small");
    return shape;
}

void fillGenerated(const QString &shape, int files, const QString &partial)
{
    const bool dense = shape.startsWith(QLatin1String("dense"));
    const std::shared_ptr<const ProseVocabulary> vocabulary = dense ? nullptr : proseVocabulary();
    Random sizes(kSeed ^ qHash(sizeSeedName(shape)));
    QByteArray text;
    for (int i = 0; i < files; ++i) {
        text.resize(0);
        const std::uint64_t seed = kSeed + std::uint64_t(i) * 7919;
        const qint64 size = shapeFileSize(shape, i, sizes);
        if (dense)
            LineWriter(seed).appendText(text, size);
        else
            ProseWriter(vocabulary, seed).appendText(text, size);
        writeFile(partial + QLatin1Char('/') + fileName(i), text);
    }
}

// Written a few megabytes at a time, so that a text of a gigabyte is never held whole.
void fillSingleText(qint64 size, const QString &partial)
{
    QFile file(partial + QLatin1Char('/') + fileName(0));
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + file.fileName().toStdString());
    ProseWriter writer(proseVocabulary(), kSeed);
    constexpr qint64 kChunk = 8 * 1024 * 1024;
    QByteArray chunk;
    for (qint64 written = 0; written < size; written += chunk.size()) {
        chunk.resize(0);
        writer.appendText(chunk, std::min(kChunk, size - written));
        if (file.write(chunk) != chunk.size())
            throw std::runtime_error("cannot write " + file.fileName().toStdString());
    }
}

QString millionDirectory(const QString &root, double scale)
{
    constexpr int kSources = 1'000'000;
    // 20,000 texts of the small shape, linked fifty times over.
    const QString texts = corpusDirectory(QStringLiteral("small"), root, 0.2);
    if (texts.isEmpty())
        return QString();
    const int files = std::max(1, int(std::lround(kSources * scale)));
    QString directory = root + QStringLiteral("/million-") + kVersion;
    if (files != kSources)
        directory += QStringLiteral("-%1files").arg(files);
    generateOnce(directory, [&](const QString &partial) { linkTexts(texts, files, partial); });
    return directory;
}

} // namespace

QString corpusDirectory(const QString &shape, const QString &root, double scale)
{
    if (shape == QLatin1String("real")) {
        const QStringList pages = germanManualPages();
        if (pages.isEmpty()) {
            std::fprintf(stderr,
                         "skipping \"real\": no German manual pages under /usr/share/man/de "
                         "(apt-get install manpages-de manpages-de-dev)\n");
            return QString();
        }
        const QString directory = root + QStringLiteral("/real-") + kVersion;
        generateOnce(directory, [&](const QString &partial) {
            std::fprintf(stderr, "%d texts from %lld manual pages\n",
                         writeRealCorpus(partial, pages), qint64(pages.size()));
        });
        return directory;
    }
    if (shape == QLatin1String("million"))
        return millionDirectory(root, scale);
    const int files = std::max(1, int(std::lround(shapeFileCount(shape) * scale)));
    if (!shape.startsWith(QLatin1String("dense")) && !proseVocabulary()) {
        std::fprintf(stderr, "skipping \"%s\": no word list %s (apt-get install wngerman)\n",
                     qPrintable(shape), qPrintable(defaultWordListPath()));
        return QString();
    }
    QString directory = root + QLatin1Char('/') + shape + QLatin1Char('-') + kVersion;
    if (const qint64 size = singleTextSize(shape); size > 0) {
        const qint64 scaled = std::max<qint64>(1, qint64(double(size) * scale));
        if (scaled != size)
            directory += QStringLiteral("-%1bytes").arg(scaled);
        generateOnce(directory, [&](const QString &partial) { fillSingleText(scaled, partial); });
        return directory;
    }
    if (files != shapeFileCount(shape))
        directory += QStringLiteral("-%1files").arg(files);
    generateOnce(directory, [&](const QString &partial) { fillGenerated(shape, files, partial); });
    return directory;
}

QString previewSearchString()
{
    return QStringLiteral("Haus");
}

QString previewWeightingString()
{
    return QStringLiteral("Garten");
}

int previewSearchHits()
{
    return 36000;
}

int previewWeightingHits()
{
    return 9000;
}

QString generatedPreviewText(const QString &root)
{
    // v2: small enough for the preview to show it whole.
    const QString directory = root + QStringLiteral("/preview-v2");
    generateOnce(directory, [](const QString &partial) {
        // Filler words that contain neither string, so that every match is a placed one.
        std::vector<std::string> filler;
        for (const std::string &word : germanWords()) {
            const QString text = QString::fromLatin1(word.data(), qsizetype(word.size()));
            if (!text.contains(previewSearchString(), Qt::CaseInsensitive) &&
                !text.contains(previewWeightingString(), Qt::CaseInsensitive))
                filler.push_back(word);
        }
        const std::string search = previewSearchString().toStdString();
        const std::string weighting = previewWeightingString().toStdString();
        // Every 16th word is a search hit and every 64th (never the same) a weighting hit.
        const int slotCount = previewSearchHits() * 16;
        LineWriter writer(kSeed);
        int slot = 0;
        QByteArray text;
        writer.appendWords(text, [&]() -> const std::string * {
            if (slot == slotCount)
                return nullptr;
            const int k = slot++;
            if (k % 16 == 5)
                return &search;
            if (k % 64 == 11)
                return &weighting;
            return &filler[writer.random().below(filler.size())];
        });
        writeFile(partial + QStringLiteral("/vorschau.txt"), text);
    });
    return directory + QStringLiteral("/vorschau.txt");
}
