#include "corpus.h"
#include "measure.h"
#include "previewbench.h"
#include "rowbench.h"
#include "searchbench.h"
#include "table.h"
#include "windowdriver.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <cstdio>
#include <exception>

namespace {

const char kUsage[] =
    "usage: qvx_bench [--root DIR] [--big DIR] [--small DIR] [--reps N] [--only PARTS]\n"
    "  --root DIR    where the generated corpora are kept and reused (default $QVX_BENCH_DIR,\n"
    "                else /tmp/qvx-bench)\n"
    "  --big DIR     measure the *.txt files of DIR instead of the generated big corpus\n"
    "  --small DIR   the same for the small corpus (also used for the 100,000-row commands)\n"
    "  --reps N      repetitions per measurement, the median is shown (default 5)\n"
    "  --only PARTS  comma-separated subset of big,small,rows,preview (default all)\n"
    "  --cases TEXT  only the searches whose label contains TEXT (for example \"regex Haus\")\n";

struct Options
{
    QString root;
    QString big;
    QString small;
    int repetitions = 5;
    QString cases;
    QStringList parts = {QStringLiteral("big"), QStringLiteral("small"), QStringLiteral("rows"),
                         QStringLiteral("preview")};
};

bool parseOptions(const QStringList &arguments, Options &options)
{
    options.root = qEnvironmentVariable("QVX_BENCH_DIR", QStringLiteral("/tmp/qvx-bench"));
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &name = arguments[i];
        if (i + 1 >= arguments.size())
            return false;
        const QString value = arguments[++i];
        if (name == QLatin1String("--root"))
            options.root = value;
        else if (name == QLatin1String("--big"))
            options.big = value;
        else if (name == QLatin1String("--small"))
            options.small = value;
        else if (name == QLatin1String("--reps"))
            options.repetitions = value.toInt();
        else if (name == QLatin1String("--cases"))
            options.cases = value;
        else if (name == QLatin1String("--only"))
            options.parts = value.split(QLatin1Char(','));
        else
            return false;
    }
    return options.repetitions > 0;
}

QString corpusDirectory(const QString &shape, const QString &given, const QString &root)
{
    return given.isEmpty() ? generatedCorpusDirectory(shape, root) : given;
}

QString megabytes(qint64 bytes)
{
    return QString::number(bytes / 1e6, 'f', 1) + QStringLiteral(" MB");
}

void run(const Options &options)
{
    QDir().mkpath(options.root);
    const bool big = options.parts.contains(QLatin1String("big"));
    const bool small = options.parts.contains(QLatin1String("small"));
    const bool rows = options.parts.contains(QLatin1String("rows"));
    const bool preview = options.parts.contains(QLatin1String("preview"));
    // Generated before anything is measured, so that the table comes out in one piece; listed
    // only when their part begins, so that one part's lists do not lie in the heap that the
    // part before it measures.
    const QString bigDirectory =
        big ? corpusDirectory(QStringLiteral("big"), options.big, options.root) : QString();
    const QString smallDirectory =
        small || rows ? corpusDirectory(QStringLiteral("small"), options.small, options.root)
                      : QString();
    const QString previewText = preview ? generatedPreviewText(options.root) : QString();

    WindowDriver window;
    printTableHeader();
    if (big) {
        const Corpus bigCorpus = describeCorpus(QStringLiteral("big"), bigDirectory);
        const SearchBenchResult result =
            benchSearches(window, bigCorpus, options.repetitions, options.cases, true);
        TableRow memory(bigCorpus.name, QStringLiteral("peak memory growth of one search"));
        const auto shown = [](qint64 bytes) {
            return bytes < 0 ? QStringLiteral("unknown") : megabytes(bytes);
        };
        memory.notes =
            QStringLiteral("%1; heap in use at most %2 above the rows kept (largest file %3)")
                .arg(shown(result.peakGrowth), shown(result.transientGrowth),
                     megabytes(bigCorpus.largestFile));
        printTableRow(memory);
    }
    Corpus smallCorpus;
    if (small || rows)
        smallCorpus = describeCorpus(QStringLiteral("small"), smallDirectory);
    if (small)
        benchSearches(window, smallCorpus, options.repetitions, options.cases, false);
    if (rows)
        benchRows(window, smallCorpus, options.root, options.repetitions);
    if (preview)
        benchPreview(window, previewText, options.repetitions);
    TableRow peak(QStringLiteral("all"), QStringLiteral("peak memory of the process"));
    peak.notes = megabytes(peakResidentBytes()) + QStringLiteral(" (getrusage)");
    printTableRow(peak);
}

} // namespace

int main(int argc, char *argv[])
{
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
