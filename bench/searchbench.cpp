#include "searchbench.h"

#include "eventgap.h"
#include "heapprobe.h"
#include "measure.h"
#include "ripgrep.h"
#include "table.h"
#include "windowdriver.h"

#include <QFile>
#include <QTreeWidget>
#include <algorithm>
#include <fcntl.h>
#include <unistd.h>
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
    // The same meaning for ripgrep's own engine and for its PCRE2 engine (which knows Unicode
    // word boundaries only).
    QString rgPattern;
    QString rgPcre2Pattern;
};

std::vector<SearchCase> searchCases()
{
    struct Regex
    {
        QString pattern;
        QString rg;
        QString rgPcre2;
    };
    const Regex patterns[] = {
        {QStringLiteral("Haus"), QStringLiteral("Haus"), QStringLiteral("Haus")},
        {QStringLiteral("(?i)heute|morgen"), QStringLiteral("(?i)heute|morgen"),
         QStringLiteral("(?i)heute|morgen")},
        {QStringLiteral("\\bund\\b"), QStringLiteral("(?-u:\\b)und(?-u:\\b)"),
         QStringLiteral("(?<![A-Za-z0-9_])und(?![A-Za-z0-9_])")},
        {QStringLiteral("sowohl.{0,100}als auch"), QStringLiteral("sowohl.{0,100}als auch"),
         QStringLiteral("sowohl.{0,100}als auch")},
    };
    std::vector<SearchCase> cases;
    for (const Regex &p : patterns) {
        cases.push_back({QStringLiteral("regex ") + p.pattern, true, p.pattern, QString(), false,
                         p.rg, p.rgPcre2});
        cases.push_back({QStringLiteral("regex ") + p.pattern + QStringLiteral(" +weighting"), true,
                         p.pattern, kWeighting, false, p.rg, p.rgPcre2});
    }
    cases.push_back({QStringLiteral("simple Haus"), false, QStringLiteral("Haus"), QString(), false,
                     QString(), QString()});
    cases.push_back({QStringLiteral("simple Haus, ignore case"), false, QStringLiteral("Haus"),
                     QString(), true, QString(), QString()});
    return cases;
}

// Reads every file whole into one reused buffer and does nothing else.
double measureFloor(const Corpus &corpus, int repetitions)
{
    std::vector<char> buffer(size_t(corpus.largestFile) + 1);
    std::vector<QByteArray> paths;
    for (const QString &path : corpus.paths)
        paths.push_back(QFile::encodeName(path));
    qint64 total = 0;
    const double seconds = medianSeconds(repetitions, [&] {
        total = 0;
        for (const QByteArray &path : paths) {
            const int fd = ::open(path.constData(), O_RDONLY);
            if (fd < 0)
                continue;
            ssize_t got;
            while ((got = ::read(fd, buffer.data(), buffer.size())) > 0)
                total += got;
            ::close(fd);
        }
    });
    if (total != corpus.totalBytes)
        std::fprintf(stderr, "floor read %lld bytes of %lld\n", qint64(total),
                     qint64(corpus.totalBytes));
    return seconds;
}

struct RunOutcome
{
    double seconds = 0.0;
    double longestGapMs = 0.0;
    qint64 peakGrowth = -1;
    qint64 transientGrowth = -1;
    int rows = 0;
    qint64 matches = 0;
    QStringList errors;
};

qint64 sumOfF(const QTreeWidget *files)
{
    qint64 sum = 0;
    for (int i = 0; i < files->topLevelItemCount(); ++i)
        sum += files->topLevelItem(i)->text(1).toLongLong();
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
void timeSearchOnce(WindowDriver &window, const SearchCase &search, RunOutcome &outcome,
                    std::vector<double> &seconds)
{
    prepareSearch(window, search);
    EventGapProbe probe;
    resetPeakResident();
    const qint64 before = currentResidentBytes();
    QElapsedTimer timer;
    probe.start();
    timer.start();
    window.click("Button3");
    seconds.push_back(double(timer.nsecsElapsed()) / 1e9);
    outcome.longestGapMs = std::max(outcome.longestGapMs, probe.stop());
    const qint64 peak = peakResidentSinceReset();
    if (peak >= 0 && before >= 0)
        outcome.peakGrowth = std::max(outcome.peakGrowth, peak - before);
    outcome.errors << window.dialogs().takeErrors();
    outcome.rows = window.files()->topLevelItemCount();
    outcome.matches = sumOfF(window.files());
}

// Asking the allocator walks its lists and would slow the timed runs down, so the heap is probed
// in a run of its own.
void probeSearchHeap(WindowDriver &window, const SearchCase &search, RunOutcome &outcome)
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

// The runs of ripgrep's two engines on one pattern.
struct RipgrepRuns
{
    std::vector<double> seconds[2];
    RipgrepRun last[2];
};

void runRipgrepOnce(const Corpus &corpus, const SearchCase &search, RipgrepRuns &runs)
{
    for (int pcre2 : {0, 1}) {
        const QString pattern = pcre2 ? search.rgPcre2Pattern : search.rgPattern;
        runs.last[pcre2] = runRipgrep(pattern, corpus.directory, pcre2 != 0);
        runs.seconds[pcre2].push_back(runs.last[pcre2].seconds);
    }
}

// The faster of ripgrep's two engines, as a table row each; returns the faster time.
double printRipgrepRows(const Corpus &corpus, const SearchCase &search, const RipgrepRuns &runs,
                        qint64 expectedMatches)
{
    double fastest = 0.0;
    for (int pcre2 : {0, 1}) {
        const QString pattern = pcre2 ? search.rgPcre2Pattern : search.rgPattern;
        const RipgrepRun &last = runs.last[pcre2];
        TableRow row(corpus.name, QStringLiteral("rg%1 %2").arg(pcre2 ? " --pcre2" : "", pattern),
                     median(runs.seconds[pcre2]), corpus.paths.size(), corpus.totalBytes);
        if (!last.error.isEmpty()) {
            row.seconds = 0.0;
            row.notes = QStringLiteral("FAILED: ") + last.error.left(60);
        } else {
            row.notes = last.matches == expectedMatches
                            ? QStringLiteral("%1 matches, as QVX").arg(last.matches)
                            : QStringLiteral("MISMATCH: %1 matches, QVX %2")
                                  .arg(last.matches)
                                  .arg(expectedMatches);
            fastest = fastest > 0.0 ? std::min(fastest, row.seconds) : row.seconds;
        }
        printTableRow(row);
    }
    return fastest;
}

void printSearchRow(const Corpus &corpus, const SearchCase &search, const RunOutcome &outcome,
                    double floor, double rgSeconds)
{
    TableRow row(corpus.name, search.label, outcome.seconds, corpus.paths.size(),
                 corpus.totalBytes);
    row.floorSeconds = floor;
    row.rgSeconds = search.regex ? rgSeconds : 0.0;
    row.notes = QStringLiteral("%1 rows").arg(outcome.rows);
    if (search.regex)
        row.notes += QStringLiteral(", %1 matches").arg(outcome.matches);
    row.notes += QStringLiteral(", gap %1 ms").arg(outcome.longestGapMs, 0, 'f', 1);
    if (!outcome.errors.isEmpty()) {
        row.seconds = 0.0;
        row.notes = QStringLiteral("FAILED: ") + outcome.errors.front();
    }
    printTableRow(row);
}

} // namespace

SearchBenchResult benchSearches(WindowDriver &window, const Corpus &corpus, int repetitions,
                                const QString &cases, bool measureHeap)
{
    SearchBenchResult result;
    const double floor = measureFloor(corpus, repetitions);
    TableRow floorRow(corpus.name, QStringLiteral("floor: read every file whole"), floor,
                      corpus.paths.size(), corpus.totalBytes);
    floorRow.floorSeconds = floor;
    floorRow.notes = QStringLiteral("largest file %1 KB").arg(corpus.largestFile / 1024);
    printTableRow(floorRow);

    window.chooseSources(corpus.directory);
    window.setText("zielverz", corpus.directory + QStringLiteral("-ziel"));
    const bool rg = ripgrepInstalled();
    std::vector<SearchCase> chosen;
    for (const SearchCase &search : searchCases()) {
        if (search.label.contains(cases))
            chosen.push_back(search);
    }
    // The searches of one pattern, without and with weighting, and ripgrep on that pattern take
    // turns repetition by repetition, so that all of them meet the same load on the machine.
    for (size_t first = 0; first < chosen.size();) {
        size_t end = first + 1;
        while (end < chosen.size() && chosen[end].regex == chosen[first].regex &&
               chosen[end].pattern == chosen[first].pattern)
            ++end;
        const bool withRipgrep = rg && chosen[first].regex;
        RipgrepRuns ripgrepRuns;
        std::vector<RunOutcome> outcomes(end - first);
        std::vector<std::vector<double>> seconds(end - first);
        for (int i = 0; i < repetitions; ++i) {
            if (withRipgrep)
                runRipgrepOnce(corpus, chosen[first], ripgrepRuns);
            // The run right after ripgrep's came out slower; every other repetition takes the
            // searches in the other order, so that each is that run equally often.
            for (size_t n = 0; n < end - first; ++n) {
                const size_t k = i % 2 == 0 ? n : end - first - 1 - n;
                timeSearchOnce(window, chosen[first + k], outcomes[k], seconds[k]);
            }
        }
        for (size_t k = first; k < end; ++k) {
            if (measureHeap)
                probeSearchHeap(window, chosen[k], outcomes[k - first]);
            outcomes[k - first].seconds = median(seconds[k - first]);
        }
        const double rgSeconds =
            withRipgrep && outcomes.front().errors.isEmpty()
                ? printRipgrepRows(corpus, chosen[first], ripgrepRuns, outcomes.front().matches)
                : 0.0;
        for (size_t k = first; k < end; ++k) {
            const RunOutcome &outcome = outcomes[k - first];
            result.peakGrowth = std::max(result.peakGrowth, outcome.peakGrowth);
            result.transientGrowth = std::max(result.transientGrowth, outcome.transientGrowth);
            printSearchRow(corpus, chosen[k], outcome, floor, rgSeconds);
        }
        first = end;
    }
    return result;
}
