#include "budgetbench.h"
#include "corpus.h"
#include "measure.h"
#include "previewbench.h"
#include "qvxcli.h"
#include "rowbench.h"
#include "searchbench.h"
#include "startbench.h"
#include "table.h"
#include "window/programstart.h"
#include "windowdriver.h"

#include <QApplication>
#include <QDir>
#include <QHash>
#include <QLocale>
#include <cstdio>
#include <exception>

namespace {

const char kUsage[] =
    "usage: qvx_bench [--root DIR] [--only PARTS] [--scale F] [--reps N] [--cases TEXT]\n"
    "                 [--cold yes|no] [--cli PATH|none] [--big DIR] [--small DIR]\n"
    "  --root DIR    where the corpora are kept and reused (default $QVX_BENCH_DIR,\n"
    "                else /tmp/qvx-bench)\n"
    "  --only PARTS  comma-separated subset of the corpus shapes dense,dense-small,large,small,\n"
    "                mixed,real,single-100mb,single-600mb,single-1gb,million and of rows,\n"
    "                preview,budget\n"
    "                (default all but single-1gb and million)\n"
    "  --scale F     generate the shapes with F times their files (for example 0.05 for a\n"
    "                quick look; the real texts are what the manual pages give)\n"
    "  --reps N      repetitions per measurement, the median is shown (default 5)\n"
    "  --cases TEXT  only the searches whose label contains TEXT (for example \"regex Haus\")\n"
    "  --cold yes|no also measure with the page cache emptied before every run (default yes)\n"
    "  --cli PATH    time qvx-cli PATH beside the window (default: build's cli/qvx-cli if there)\n"
    "  --big DIR     measure the *.txt files of DIR instead of the generated dense corpus\n"
    "  --small DIR   the same for dense-small (also used for the 100,000-row commands)\n";

QStringList defaultParts()
{
    QStringList parts;
    for (const QString &shape : corpusShapes()) {
        if (!slowShapes().contains(shape))
            parts << shape;
    }
    return parts << QStringLiteral("rows") << QStringLiteral("preview") << QStringLiteral("budget");
}

struct Options
{
    QString root;
    QHash<QString, QString> directories;
    double scale = 1.0;
    bool cold = true;
    QString cli;
    int repetitions = 5;
    QString cases;
    QStringList parts = defaultParts();
};

bool parseOptions(const QStringList &arguments, Options &options)
{
    options.root = qEnvironmentVariable("QVX_BENCH_DIR", QStringLiteral("/tmp/qvx-bench"));
    options.cli = defaultQvxCliPath(QCoreApplication::applicationDirPath());
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &name = arguments[i];
        if (i + 1 >= arguments.size())
            return false;
        const QString value = arguments[++i];
        if (name == QLatin1String("--root"))
            options.root = value;
        else if (name == QLatin1String("--big"))
            options.directories[QStringLiteral("dense")] = value;
        else if (name == QLatin1String("--small"))
            options.directories[QStringLiteral("dense-small")] = value;
        else if (name == QLatin1String("--reps"))
            options.repetitions = value.toInt();
        else if (name == QLatin1String("--scale"))
            options.scale = value.toDouble();
        else if (name == QLatin1String("--cold") && (value == "yes" || value == "no"))
            options.cold = value == QLatin1String("yes");
        else if (name == QLatin1String("--cli"))
            options.cli = value == QLatin1String("none") ? QString() : value;
        else if (name == QLatin1String("--cases"))
            options.cases = value;
        else if (name == QLatin1String("--only"))
            options.parts = value.split(QLatin1Char(','));
        else
            return false;
    }
    return options.repetitions > 0 && options.scale > 0.0 && options.scale <= 1.0;
}

QString megabytes(qint64 bytes)
{
    return QString::number(bytes / 1e6, 'f', 1) + QStringLiteral(" MB");
}

void printMemoryRow(const Corpus &corpus, const SearchBenchResult &result)
{
    TableRow memory(corpus.name, QStringLiteral("peak memory growth of one search"));
    const auto shown = [](qint64 bytes) {
        return bytes < 0 ? QStringLiteral("unknown") : megabytes(bytes);
    };
    memory.notes =
        QStringLiteral("%1; heap in use at most %2 above the rows kept (largest file %3)")
            .arg(shown(result.peakGrowth), shown(result.transientGrowth),
                 megabytes(corpus.largestFile));
    printTableRow(memory);
}

void run(const Options &options)
{
    QDir().mkpath(options.root);
    const bool rows = options.parts.contains(QLatin1String("rows"));
    const bool preview = options.parts.contains(QLatin1String("preview"));
    // Generated before anything is measured, so that the table comes out in one piece; listed
    // only when their part begins, so that one part's lists do not lie in the heap that the
    // part before it measures.
    QHash<QString, QString> directories;
    for (const QString &shape : corpusShapes()) {
        const bool wanted =
            options.parts.contains(shape) || (rows && shape == QLatin1String("dense-small"));
        if (!wanted)
            continue;
        const QString given = options.directories.value(shape);
        directories[shape] =
            given.isEmpty() ? corpusDirectory(shape, options.root, options.scale) : given;
    }
    const QString previewText = preview ? generatedPreviewText(options.root) : QString();
    const bool budget = options.parts.contains(QLatin1String("budget"));
    const QString tableText = budget ? budgetText(options.root) : QString();

    if (!options.cli.isEmpty())
        std::fprintf(stderr, "timing %s beside the window\n", qPrintable(options.cli));
    WindowDriver window;
    printTableHeader();
    for (const QString &shape : corpusShapes()) {
        if (!options.parts.contains(shape) || directories.value(shape).isEmpty())
            continue;
        const Corpus corpus = describeCorpus(shape, directories.value(shape));
        SearchBenchOptions searchOptions;
        searchOptions.repetitions = options.repetitions;
        searchOptions.cases = options.cases;
        searchOptions.cold = options.cold;
        searchOptions.cli = options.cli;
        // The shapes with the largest files show what a search holds beside its rows.
        searchOptions.measureHeap =
            shape == QLatin1String("dense") || shape == QLatin1String("mixed");
        const SearchBenchResult result = benchSearches(window, corpus, searchOptions);
        if (searchOptions.measureHeap)
            printMemoryRow(corpus, result);
    }
    // Once, after the searches: a few thousand small texts take about ten times as long.
    benchStartAndExit(options.cli, 10 * options.repetitions);
    if (rows && !directories.value(QStringLiteral("dense-small")).isEmpty()) {
        const Corpus corpus = describeCorpus(QStringLiteral("dense-small"),
                                             directories.value(QStringLiteral("dense-small")));
        benchRows(window, corpus, options.root, options.repetitions);
    }
    if (preview)
        benchPreview(window, previewText, options.repetitions);
    if (budget)
        benchBudget(window, tableText);
    TableRow peak(QStringLiteral("all"), QStringLiteral("peak memory of the process"));
    peak.notes = megabytes(peakResidentBytes()) + QStringLiteral(" (getrusage)");
    printTableRow(peak);
}

} // namespace

int main(int argc, char *argv[])
{
    // As the program does, so that the window is measured with the allocator it meets there.
    mergeFreedMemoryAtOnce();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Number cells are written and read with the German separator, as on the users' systems.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Options options;
    if (!parseOptions(QApplication::arguments(), options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        run(options);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "qvx_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
