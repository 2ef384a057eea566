#include "searchbench.h"

#include "eventgap.h"
#include "floor.h"
#include "heapprobe.h"
#include "measure.h"
#include "pagecache.h"
#include "qvxcli.h"
#include "ripgrep.h"
#include "table.h"
#include "threadcpu.h"
#include "windowdriver.h"

#include <QFile>
#include <QListWidget>
#include <QThread>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <set>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

const QString kWeighting = QStringLiteral("Kinder|Schule");

struct SearchCase
{
    QString label;
    bool regex = true;
    QString pattern;
    QString weighting;
    bool ignoreCase = false;
    // The same meaning for ripgrep's engine; empty where ripgrep is not compared.
    QString rgPattern;
    // Measured with an emptied page cache too.
    bool cold = false;
};

std::vector<SearchCase> searchCases()
{
    struct Regex
    {
        QString pattern;
        QString rg;
        bool weighted;
    };
    const Regex patterns[] = {
        {QStringLiteral("Haus"), QStringLiteral("Haus"), true},
        {QStringLiteral("(?i)heute|morgen"), QStringLiteral("(?i)heute|morgen"), true},
        {QStringLiteral("\\bund\\b"), QStringLiteral("(?-u:\\b)und(?-u:\\b)"), true},
        {QStringLiteral("sowohl.{0,100}als auch"), QStringLiteral("sowohl.{0,100}als auch"), true},
        {QStringLiteral("Leuchtturm"), QStringLiteral("Leuchtturm"), false},
        {QStringLiteral("(?i)zeit"), QStringLiteral("(?i)zeit"), false},
    };
    std::vector<SearchCase> cases;
    for (const Regex &p : patterns) {
        const bool first = cases.empty();
        cases.push_back(
            {QStringLiteral("regex ") + p.pattern, true, p.pattern, QString(), false, p.rg, first});
        if (p.weighted)
            cases.push_back({QStringLiteral("regex ") + p.pattern + QStringLiteral(" +weighting"),
                             true, p.pattern, kWeighting, false, p.rg, false});
    }
    cases.push_back({QStringLiteral("simple Haus"), false, QStringLiteral("Haus"), QString(), false,
                     QStringLiteral("Haus"), true});
    cases.push_back({QStringLiteral("simple Haus, ignore case"), false, QStringLiteral("Haus"),
                     QString(), true, QStringLiteral("Haus"), false});
    return cases;
}

struct Outcome
{
    std::vector<double> seconds;
    // The window's own thread, in microseconds of processor time per text.
    std::vector<double> windowCpuPerText;
    double longestGapMs = 0.0;
    qint64 peakGrowth = -1;
    qint64 transientGrowth = -1;
    int rows = 0;
    qint64 matches = 0;
    // The matches of the rows whose file no earlier row names, which is what qvx-cli counts; -1
    // for a corpus that names every file once.
    qint64 matchesOncePerFile = -1;
    QStringList errors;
};

// The runs of another program on one search: its times, the matches it counted last, and its
// first failure.
struct OtherRuns
{
    std::vector<double> seconds;
    qint64 matches = -1;
    // The most resident memory of any of its runs, in bytes, or -1.
    qint64 peakResident = -1;
    QString error;

    void add(double time, qint64 count, qint64 resident, const QString &failure)
    {
        seconds.push_back(time);
        matches = count;
        peakResident = std::max(peakResident, resident);
        if (error.isEmpty() && !failure.isEmpty())
            error = failure.left(60);
    }
};

struct RipgrepRuns
{
    OtherRuns oneThread;
    OtherRuns ownThreads;
};

qint64 sumOfF(const QTreeWidget *files)
{
    qint64 sum = 0;
    for (int i = 0; i < files->topLevelItemCount(); ++i)
        sum += files->topLevelItem(i)->text(1).toLongLong();
    return sum;
}

// Whether the corpus names a file more than once, as the million shape does through hard links.
bool namesFilesAgain(const Corpus &corpus)
{
    struct stat status;
    return !corpus.paths.isEmpty() &&
           ::stat(QFile::encodeName(corpus.paths.front()).constData(), &status) == 0 &&
           status.st_nlink > 1;
}

qint64 sumOfFOncePerFile(const QTreeWidget *files)
{
    std::set<std::pair<dev_t, ino_t>> seen;
    qint64 sum = 0;
    for (int i = 0; i < files->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = files->topLevelItem(i);
        struct stat status;
        if (::stat(QFile::encodeName(row->text(0)).constData(), &status) != 0 ||
            seen.insert({status.st_dev, status.st_ino}).second)
            sum += row->text(1).toLongLong();
    }
    return sum;
}

void prepareSearch(WindowDriver &window, const SearchCase &search)
{
    window.setText("Edit1", search.pattern);
    window.setText("Edit2", search.weighting);
    window.setText("edit_ausschl", QString());
    window.setText("Edit3", QStringLiteral("1"));
    window.setText("Edit4", QStringLiteral("2"));
    window.setChecked(search.regex ? "RadioButton1" : "RadioButton2", true);
    window.setChecked("CheckBox1", search.ignoreCase);
}

// One timed run of the search; its rows are counted before another search replaces them.
void timeSearchOnce(WindowDriver &window, const SearchCase &search, bool filesNamedAgain,
                    Outcome &outcome)
{
    prepareSearch(window, search);
    EventGapProbe probe;
    resetPeakResident();
    const qint64 before = currentResidentBytes();
    QElapsedTimer timer;
    probe.start();
    timer.start();
    const qint64 cpuBefore = threadCpuNs();
    window.click("Button3");
    const qint64 cpu = threadCpuNs() - cpuBefore;
    outcome.seconds.push_back(double(timer.nsecsElapsed()) / 1e9);
    outcome.windowCpuPerText.push_back(double(cpu) / 1e3 /
                                       double(std::max(1, window.box()->count())));
    outcome.longestGapMs = std::max(outcome.longestGapMs, probe.stop());
    const qint64 peak = peakResidentSinceReset();
    if (peak >= 0 && before >= 0)
        outcome.peakGrowth = std::max(outcome.peakGrowth, peak - before);
    outcome.errors << window.dialogs().takeErrors();
    outcome.rows = window.files()->topLevelItemCount();
    outcome.matches = sumOfF(window.files());
    if (filesNamedAgain)
        outcome.matchesOncePerFile = sumOfFOncePerFile(window.files());
}

// Asking the allocator walks its lists and would slow the timed runs down, so the heap is probed
// in a run of its own.
void probeSearchHeap(WindowDriver &window, const SearchCase &search, Outcome &outcome)
{
    prepareSearch(window, search);
    HeapPeakProbe heapProbe;
    heapProbe.start();
    window.click("Button3");
    const qint64 heapPeak = heapProbe.stop();
    const qint64 heapAfter = heapBytesInUse();
    if (heapPeak >= 0 && heapAfter >= 0)
        outcome.transientGrowth = heapPeak - heapAfter;
    outcome.errors << window.dialogs().takeErrors();
}

QStringList cliArguments(const SearchCase &search, const QString &directory)
{
    QStringList arguments;
    if (!search.regex)
        arguments << QStringLiteral("--simple");
    if (search.ignoreCase)
        arguments << QStringLiteral("--ignore-case");
    if (!search.weighting.isEmpty())
        arguments << QStringLiteral("--weight") << search.weighting;
    return arguments << search.pattern << directory;
}

// ripgrep with one thread and with its own choice of threads, each once; evict, when given,
// empties the page cache before each.
void runRipgrepOnce(const Corpus &corpus, const SearchCase &search,
                    const std::function<void()> &evict, RipgrepRuns &runs)
{
    for (int threads : {1, 0}) {
        if (evict)
            evict();
        const RipgrepQuery query{search.rgPattern, !search.regex, search.ignoreCase};
        const RipgrepRun run = runRipgrep(query, corpus.directory, threads);
        (threads == 1 ? runs.oneThread : runs.ownThreads)
            .add(run.seconds, run.matches, run.peakResident, run.error);
    }
}

void runCliOnce(const Corpus &corpus, const SearchCase &search, const QString &cli,
                const std::function<void()> &evict, OtherRuns &runs)
{
    if (evict)
        evict();
    const QvxCliRun run = runQvxCli(cli, cliArguments(search, corpus.directory));
    runs.add(run.seconds, run.matches, run.peakResident, run.error);
}

// Notes the matches that program counted beside QVX's, and its failure.
QString compared(const char *program, const OtherRuns &runs, qint64 matches)
{
    if (!runs.error.isEmpty())
        return QStringLiteral(", %1 FAILED: %2").arg(QLatin1String(program), runs.error);
    if (runs.matches < 0)
        return QString();
    return runs.matches == matches
               ? QStringLiteral(" = %1").arg(QLatin1String(program))
               : QStringLiteral(", MISMATCH %1 %2").arg(QLatin1String(program)).arg(runs.matches);
}

// The peak memory of each program that ran, and the rate of the command-line program, which on
// a single large text is what its reading costs.
QString memoryNotes(const Corpus &corpus, const Outcome &outcome, const RipgrepRuns &rg,
                    const OtherRuns &cli)
{
    const auto mb = [](qint64 bytes) { return QString::number(bytes / 1e6, 'f', 0); };
    QStringList notes;
    if (cli.peakResident >= 0) {
        const double cliSeconds = median(cli.seconds);
        notes << QStringLiteral("cli max RSS %1 MB, %2 MB/s")
                     .arg(mb(cli.peakResident))
                     .arg(cliSeconds > 0 ? corpus.totalBytes / 1e6 / cliSeconds : 0.0, 0, 'f', 1);
    }
    if (rg.oneThread.peakResident >= 0)
        notes << QStringLiteral("rg -j1 max RSS %1 MB").arg(mb(rg.oneThread.peakResident));
    if (outcome.peakGrowth >= 0)
        notes << QStringLiteral("window RSS +%1 MB").arg(mb(outcome.peakGrowth));
    return notes.isEmpty() ? QString() : QStringLiteral(", ") + notes.join(QStringLiteral(", "));
}

// The lowest and the highest ratio of a repetition's time to ripgrep's in the same repetition:
// on a machine whose speed drifts from one run to the next, the ratio of the medians alone hides
// how far a single comparison may fall either way.
QString rangeByRepetition(const std::vector<double> &seconds, const std::vector<double> &rgSeconds)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < std::min(seconds.size(), rgSeconds.size()); ++i) {
        if (seconds[i] > 0 && rgSeconds[i] > 0)
            ratios.push_back(seconds[i] / rgSeconds[i]);
    }
    if (ratios.size() < 2)
        return QString();
    const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
    return QStringLiteral(" (per repetition %1-%2)").arg(*low, 0, 'f', 2).arg(*high, 0, 'f', 2);
}

// qvx-cli against ripgrep with its own threads, and both programs against the read floor.
QString ratioNotes(const TableRow &row, const Outcome &outcome, const RipgrepRuns &rg,
                   const OtherRuns &cli)
{
    const auto ratio = [](double a, double b) {
        return a > 0 && b > 0 ? QString::number(a / b, 'f', 2) : QStringLiteral("-");
    };
    return QStringLiteral(", QVX/rg%1, cli/rg %2%3, cli/floor %4, QVX/floor %5")
        .arg(rangeByRepetition(outcome.seconds, rg.ownThreads.seconds),
             ratio(row.cliSeconds, row.rgSeconds),
             rangeByRepetition(cli.seconds, rg.ownThreads.seconds),
             ratio(row.cliSeconds, row.floorSeconds), ratio(row.seconds, row.floorSeconds));
}

void printSearchRow(const Corpus &corpus, const SearchCase &search, const QString &cache,
                    const Outcome &outcome, const RipgrepRuns &rg, const OtherRuns &cli,
                    double floor)
{
    TableRow row(corpus.name, search.label, median(outcome.seconds), corpus.paths.size(),
                 corpus.totalBytes);
    row.cache = cache;
    row.floorSeconds = floor;
    row.rgOneThreadSeconds = median(rg.oneThread.seconds);
    row.rgSeconds = median(rg.ownThreads.seconds);
    row.cliSeconds = median(cli.seconds);
    // The simple mode's rows hold no match counts; there the sum only checks the program's rows.
    row.notes = search.regex
                    ? QStringLiteral("%1 rows, %2 matches").arg(outcome.rows).arg(outcome.matches)
                    : QStringLiteral("%1 rows").arg(outcome.rows);
    // ripgrep counts the matches, or in the simple mode the files, that is the rows.
    const qint64 rgExpected = search.regex ? outcome.matches : outcome.rows;
    row.notes += compared("rg -j1", rg.oneThread, rgExpected);
    row.notes += compared("rg", rg.ownThreads, rgExpected);
    if (outcome.matchesOncePerFile >= 0)
        row.notes += compared("cli, each file once", cli, outcome.matchesOncePerFile);
    else
        row.notes += compared("cli", cli, outcome.matches);
    row.notes += ratioNotes(row, outcome, rg, cli);
    row.notes += QStringLiteral(", window thread %1 µs/text")
                     .arg(median(outcome.windowCpuPerText), 0, 'f', 2);
    row.notes += QStringLiteral(", gap %1 ms").arg(outcome.longestGapMs, 0, 'f', 1);
    row.notes += memoryNotes(corpus, outcome, rg, cli);
    if (!outcome.errors.isEmpty()) {
        row.seconds = 0.0;
        row.notes = QStringLiteral("FAILED: ") + outcome.errors.front();
    }
    printTableRow(row);
}

// The searches of one pattern, without and with weighting, and the other programs on it take
// turns repetition by repetition, so that all of them meet the same load on the machine.
void benchGroup(WindowDriver &window, const Corpus &corpus, const std::vector<SearchCase> &group,
                const SearchBenchOptions &options, const std::function<void()> &evict, double floor,
                SearchBenchResult &result)
{
    std::vector<Outcome> outcomes(group.size());
    std::vector<OtherRuns> cliRuns(group.size());
    RipgrepRuns rgRuns;
    const bool withRipgrep = !group.front().rgPattern.isEmpty() && ripgrepInstalled();
    const bool filesNamedAgain = namesFilesAgain(corpus);
    for (int i = 0; i < options.repetitions; ++i) {
        if (withRipgrep)
            runRipgrepOnce(corpus, group.front(), evict, rgRuns);
        // The run right after another program's came out slower; every other repetition takes
        // the searches in the other order, so that each is that run equally often.
        for (size_t n = 0; n < group.size(); ++n) {
            const size_t k = i % 2 == 0 ? n : group.size() - 1 - n;
            if (!options.cli.isEmpty())
                runCliOnce(corpus, group[k], options.cli, evict, cliRuns[k]);
            if (evict)
                evict();
            timeSearchOnce(window, group[k], filesNamedAgain, outcomes[k]);
        }
    }
    const QString cache = evict ? QStringLiteral("cold") : QStringLiteral("warm");
    for (size_t k = 0; k < group.size(); ++k) {
        if (options.measureHeap && !evict)
            probeSearchHeap(window, group[k], outcomes[k]);
        result.peakGrowth = std::max(result.peakGrowth, outcomes[k].peakGrowth);
        result.transientGrowth = std::max(result.transientGrowth, outcomes[k].transientGrowth);
        printSearchRow(corpus, group[k], cache, outcomes[k], rgRuns, cliRuns[k], floor);
    }
}

// Every file read whole and nothing else, on one thread and on one a core; returns the time of
// the latter.
double benchFloors(const Corpus &corpus, int repetitions, const std::function<void()> &evict)
{
    std::vector<QByteArray> paths;
    for (const QString &path : corpus.paths)
        paths.push_back(QFile::encodeName(path));
    const int cores = std::max(1, QThread::idealThreadCount());
    double seconds = 0.0;
    for (int threads : {1, cores}) {
        qint64 total = 0;
        seconds = medianSeconds(
            repetitions, [&] { total = readEveryFile(paths, corpus.largestFile, threads); }, evict);
        TableRow row(corpus.name,
                     QStringLiteral("floor: read every file, %1 thread%2")
                         .arg(threads)
                         .arg(threads > 1 ? "s" : ""),
                     seconds, corpus.paths.size(), corpus.totalBytes);
        row.cache = evict ? QStringLiteral("cold") : QStringLiteral("warm");
        row.notes = QStringLiteral("largest file %1 KB").arg(corpus.largestFile / 1024);
        if (total != corpus.totalBytes)
            row.notes += QStringLiteral(", READ %1 OF %2 BYTES").arg(total).arg(corpus.totalBytes);
        printTableRow(row);
    }
    return seconds;
}

// Empties the page cache of the corpus once and checks on a sample of its files that it
// worked; returns the way to empty it, or nothing when that does not work here.
std::function<void()> coldCacheEviction(const Corpus &corpus)
{
    QStringList sample;
    const qsizetype step = std::max<qsizetype>(1, corpus.paths.size() / 200);
    for (qsizetype i = 0; i < corpus.paths.size(); i += step)
        sample << corpus.paths[i];
    // Read once, so that the sample is surely cached before it is evicted.
    std::vector<QByteArray> encoded;
    for (const QString &path : sample)
        encoded.push_back(QFile::encodeName(path));
    readEveryFile(encoded, corpus.largestFile, 1);
    const double before = residentShare(sample);
    const Eviction eviction = evictFromPageCache(corpus.paths);
    const double after = residentShare(sample);
    TableRow row(corpus.name, QStringLiteral("page cache emptied"));
    row.cache = QStringLiteral("cold");
    row.notes = describeEviction(eviction) +
                QStringLiteral("; sample of %1 files %2% cached before, %3% after")
                    .arg(sample.size())
                    .arg(before * 100, 0, 'f', 1)
                    .arg(after * 100, 0, 'f', 1);
    const bool worked = after >= 0.0 && after < 0.02;
    if (!worked)
        row.notes += QStringLiteral(": COULD NOT EMPTY IT, no cold measurements");
    printTableRow(row);
    if (!worked)
        return {};
    const QStringList paths = corpus.paths;
    return [paths] { evictFromPageCache(paths); };
}

} // namespace

SearchBenchResult benchSearches(WindowDriver &window, const Corpus &corpus,
                                const SearchBenchOptions &options)
{
    SearchBenchResult result;
    std::vector<SearchCase> chosen;
    for (const SearchCase &search : searchCases()) {
        if (search.label.contains(options.cases))
            chosen.push_back(search);
    }
    window.chooseSources(corpus.directory);
    window.setText("zielverz", corpus.directory + QStringLiteral("-ziel"));
    const double floor = benchFloors(corpus, options.repetitions, {});
    for (size_t first = 0; first < chosen.size();) {
        size_t end = first + 1;
        while (end < chosen.size() && chosen[end].regex == chosen[first].regex &&
               chosen[end].pattern == chosen[first].pattern &&
               chosen[end].ignoreCase == chosen[first].ignoreCase)
            ++end;
        benchGroup(window, corpus, {chosen.begin() + first, chosen.begin() + end}, options, {},
                   floor, result);
        first = end;
    }
    if (!options.cold)
        return result;
    const std::function<void()> evict = coldCacheEviction(corpus);
    if (!evict)
        return result;
    const double coldFloor = benchFloors(corpus, options.repetitions, evict);
    for (const SearchCase &search : chosen) {
        if (search.cold)
            benchGroup(window, corpus, {search}, options, evict, coldFloor, result);
    }
    return result;
}
