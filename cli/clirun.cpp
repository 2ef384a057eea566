#include "clirun.h"

#include "errors/fullstop.h"
#include "errors/qvxerror.h"
#include "files/utf8note.h"
#include "helptext.h"
#include "interruption.h"
#include "kwicline.h"
#include "kwicoutput.h"
#include "options.h"
#include "outputguard.h"
#include "outputsink.h"
#include "progressline.h"
#include "protocolrepeat.h"
#include "protocolrun.h"
#include "repeatedtexts.h"
#include "results/resultcells.h"
#include "results/resultcolumn.h"
#include "results/sortkeys.h"
#include "results/substitutedpaths.h"
#include "results/thresholdnumber.h"
#include "rowformats.h"
#include "runstats.h"
#include "search/pattern.h"
#include "search/searchturns.h"
#include "sourcearguments.h"
#include "subcorpus/protocolfile.h"
#include "subcorpusoutput.h"
#include "text/nativepath.h"
#include "text/numberformat.h"

#include <QDir>
#include <cstdio>
#include <memory>

#ifndef QVX_VERSION
#error "QVX_VERSION must name the project's version"
#endif

namespace {

// Ctrl-C ends the run within this, also in the middle of a long text.
constexpr std::chrono::milliseconds kInterruptionSlice(20);

// How many texts ahead the table of repeated files is asked to fetch a text's slot: far enough
// for memory to answer before that text's turn.
constexpr int kRepeatLookAhead = 8;

void printError(const QString &message)
{
    std::fprintf(stderr, "qvx-cli: %s\n", withFullStop(message).toUtf8().constData());
}

// The window's note on paths that a Windows-1252 file holds with '?' in place of what the code
// page lacks; the file is complete, so the run goes on and its exit status stays.
void noteSubstitutions(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    const QString note = substitutedPathsNote(paths).replace(QStringLiteral("\r\n"), "\n");
    std::fprintf(stderr, "qvx-cli: %s\n", note.toUtf8().constData());
}

void noteUtf8AsWindows1252(qsizetype texts)
{
    if (texts == 0)
        return;
    const QString note = utf8AsWindows1252Note(texts) +
                         QStringLiteral(" Mit --encoding utf-8 oder --encoding auto werden sie "
                                        "als UTF-8 gelesen.");
    std::fprintf(stderr, "qvx-cli: %s\n", note.toUtf8().constData());
}

// The rows as the result list holds them, with a point as decimal separator: thresholds and the
// sort read the cell texts back, as the window's commands do.
QString cellText(const ResultRow &row, int column)
{
    if (column == ResultColumn::File)
        return shownPath(row.path);
    return resultCells(row.f, row.proz, row.fB, row.G, QLatin1Char('.'))[column - 1];
}

class CliRun
{
public:
    // arguments: the command line, for the record; takeRow, when set, takes the rows instead of
    // the output.
    CliRun(const CliOptions &options, const QStringList &arguments,
           std::function<void(const ResultRow &)> takeRow = {})
        : m_options(options), m_arguments(arguments), m_takeRow(std::move(takeRow)),
          m_separator(localeDecimalSeparator())
    {
    }

    int run()
    {
        // A bad pattern is reported at once, not at the first text that would use it.
        checkPatterns();
        // A target that cannot be created is refused before the search, which may take long.
        if (!m_options.copyTo.isEmpty()) {
            if (const auto refusal = targetPreflightRefusal(m_options.copyTo))
                throw QvxError(refusal->reason);
        }
        const QStringList paths = expandSources(m_options.sources, m_options.recursive,
                                                m_options.globs, stdin, errorHandler());
        checkOutputFile(m_options.outputFile, paths, m_options.copyTo);
        OutputSink sink(m_options.outputFile);
        if (m_options.header)
            sink.buffer() += m_options.kwicWidth >= 0 ? kwicHeader() : tsvHeader();
        try {
            search(paths, sink);
        } catch (const QvxError &) {
            m_progress.reset();
            // Sorted rows are not written: the first of them could belong to a text not read.
            sink.finishPrefix();
            throw;
        }
        if (interrupted())
            return ExitStatus::Interrupted;
        sortRows();
        for (const ResultRow &row : m_rows)
            writeRow(sink, row);
        sink.finish();
        if (m_options.stats)
            std::fprintf(stderr, "%s\n", m_stats.summary().toUtf8().constData());
        noteSubstitutions(m_substituted);
        noteUtf8AsWindows1252(m_utf8Texts);
        if (!m_options.copyTo.isEmpty() && m_found == 0)
            printError(QStringLiteral("Keine Texte gefunden; %1 wurde nicht angelegt.")
                           .arg(QDir::toNativeSeparators(shownPath(m_options.copyTo))));
        else if (!m_options.copyTo.isEmpty() && !copyRows())
            return interrupted() ? ExitStatus::Interrupted : ExitStatus::Failure;
        if (m_failed)
            return ExitStatus::Failure;
        return m_found > 0 ? ExitStatus::Found : ExitStatus::NoneFound;
    }

private:
    std::function<void(const QString &)> errorHandler()
    {
        if (!m_options.keepGoing)
            return {};
        return [this](const QString &message) {
            if (m_progress)
                m_progress->clear();
            printError(message);
            m_failed = true;
        };
    }

    // Compiled one by one, so that the message names the argument at fault.
    void checkPatterns() const
    {
        if (m_options.simple)
            return;
        const QList<QPair<QString, QString>> patterns{{QStringLiteral("MUSTER"), m_options.pattern},
                                                      {QStringLiteral("-x"), m_options.exclude},
                                                      {QStringLiteral("-w"), m_options.weight}};
        for (const auto &[argument, pattern] : patterns) {
            try {
                if (!pattern.isEmpty())
                    Pattern{pattern};
            } catch (const QvxError &error) {
                throw QvxError(QStringLiteral("%1: %2").arg(argument, error.message()));
            }
        }
    }

    bool streaming() const { return m_options.sortColumn < 0; }

    ScanRecipe recipe() const
    {
        ScanRecipe recipe;
        recipe.regex = !m_options.simple;
        recipe.suchstr = m_options.pattern;
        recipe.ausschlstr = m_options.exclude;
        recipe.weighting = m_options.weight;
        recipe.ignoreCase = m_options.ignoreCase;
        recipe.encoding = m_options.encoding;
        return recipe;
    }

    // The texts one after the other in the order of paths, read and searched ahead by
    // m_options.jobs threads (0: one per core).
    void search(const QStringList &paths, OutputSink &sink)
    {
        m_progress = std::make_unique<ProgressLine>(!m_options.quiet && standardErrorIsTerminal(),
                                                    paths.size());
        const auto onError = errorHandler();
        const int jobs = m_options.jobs > 0 ? m_options.jobs : defaultReadAheadThreads();
        m_repeated.expect(paths.size());
        // The paths are a snapshot: each text counts as it was when read, as with grep.
        auto turns = std::make_unique<SearchTurns>(
            recipe(), paths, jobs, ReadAhead::Priority::Normal, ReadAhead::Validity::Snapshot);
        const TurnValues values{m_options.weight, m_options.ignoreCase};
        for (qsizetype i = 0; i < paths.size(); ++i) {
            if (const auto soon = turns->fileReadAhead(int(i) + kRepeatLookAhead))
                m_repeated.expectSoon(*soon);
            turns->begin(int(i), paths[i], values);
            if (!awaitTurn(*turns))
                break;
            if (isRepeat(*turns, paths, i)) {
                m_progress->fileDone(paths[i], m_found);
                continue;
            }
            try {
                if (const auto result = turns->outcome())
                    addRow(sink, paths[i], *result);
            } catch (const QvxError &error) {
                if (!onError)
                    throw;
                onError(error.message());
            }
            if (turns->utf8AsWindows1252())
                ++m_utf8Texts;
            m_progress->fileDone(paths[i], m_found);
            if (m_options.stats)
                m_stats.textRead(paths[i]);
        }
        // Ctrl-C ends the run without waiting for a search step in hand.
        if (interrupted())
            endInBackground(std::move(turns));
        m_progress.reset();
    }

    // Whether the file of the turn of text i, which is over, was searched before under another
    // path, which is then said on standard error.
    bool isRepeat(const SearchTurns &turns, const QStringList &paths, qsizetype i)
    {
        if (!turns.fileRead())
            return false;
        const qsizetype first = m_repeated.firstTextOf(*turns.fileRead(), i);
        if (first < 0)
            return false;
        m_progress->clear();
        printError(repeatedTextNote(paths[i], paths[first]));
        return true;
    }

    // Whether the turn is over; false when Ctrl-C cancels it, which counts it for nothing.
    static bool awaitTurn(SearchTurns &turns)
    {
        while (!turns.wait(kInterruptionSlice)) {
            // Notes held back in a file's buffer reach it while the run waits for a slow text.
            std::fflush(stderr);
            if (interrupted())
                return false;
        }
        return !interrupted();
    }

    void addRow(OutputSink &sink, const QString &path, const FileResult &result)
    {
        const ResultRow row{path, result.f, result.proz, result.fB,
                            rowScore(result.f, result.fB, m_options.fK, m_options.fBK)};
        if (!keep(row))
            return;
        ++m_found;
        m_stats.textFound(result.f);
        if (streaming())
            writeRow(sink, row);
        else
            m_rows.push_back(row);
        if (!m_options.copyTo.isEmpty())
            m_copied << row;
    }

    bool keep(const ResultRow &row) const
    {
        const auto exceeds = [&](int column, const std::optional<double> &threshold) {
            return !threshold ||
                   exceedsThreshold(column, cellText(row, column), *threshold, QLatin1Char('.'));
        };
        const std::optional<double> minF =
            m_options.minF ? std::optional<double>(*m_options.minF) : std::nullopt;
        return exceeds(ResultColumn::F, minF) &&
               exceeds(ResultColumn::Percent, m_options.minPercent) &&
               exceeds(ResultColumn::FB, m_options.minFB);
    }

    void writeRow(OutputSink &sink, const ResultRow &row)
    {
        if (m_takeRow) {
            m_takeRow(row);
            return;
        }
        // A row after the drawn progress line would start in its middle.
        if (m_progress && sink.toTerminal())
            m_progress->clear();
        if (m_options.kwicWidth >= 0) {
            writeHitsInContext(sink, row, m_options);
            return;
        }
        if (m_options.format != OutputFormat::Export) {
            appendRow(sink.buffer(), m_options.format, row, m_separator);
            sink.written();
            return;
        }
        // The window's export names every text with its full path.
        ResultRow full = row;
        full.path = absolutePath(row.path);
        appendRow(sink.buffer(), m_options.format, full, m_separator);
        m_substituted << unrepresentablePaths({full.path});
        sink.written();
    }

    void sortRows()
    {
        if (streaming())
            return;
        QStringList cells;
        for (const ResultRow &row : m_rows)
            cells << cellText(row, m_options.sortColumn);
        const QList<qsizetype> order =
            sortOrder(m_options.sortColumn, cells, QLatin1Char('.'), m_options.ascending);
        QList<ResultRow> sorted;
        for (const qsizetype i : order)
            sorted << m_rows[i];
        m_rows = sorted;
        if (!m_options.copyTo.isEmpty())
            m_copied = sorted;
    }

    bool copyRows()
    {
        QStringList paths;
        for (const ResultRow &row : m_copied)
            paths << row.path;
        if (const auto refusal = subcorpusRefusal(m_options.copyTo, paths, m_options.replace)) {
            printError(refusal->reason);
            return false;
        }
        const SubcorpusOutcome outcome =
            writeSubcorpus(m_options.copyTo, paths, m_options.antconcVersion, m_options.keepGoing,
                           [](const QString &message) { printError(message); });
        noteSubstitutions(outcome.substituted);
        if (outcome.interrupted)
            printError(QStringLiteral("Abgebrochen: im Zielverzeichnis %1 liegen %2 von %3 Texten")
                           .arg(QDir::toNativeSeparators(shownPath(m_options.copyTo)))
                           .arg(outcome.copied)
                           .arg(m_copied.size()));
        return !outcome.interrupted && !outcome.failed && writeProtocol();
    }

    // After the copies, which it lists: a record beside an incomplete subcorpus would claim it.
    bool writeProtocol() const
    {
        if (!m_options.protocol)
            return true;
        const auto failure =
            writeProtocolFile(m_options.copyTo, protocolOfRun(m_options, m_arguments, m_copied));
        if (failure)
            printError(failure->reason);
        return !failure;
    }

    const CliOptions &m_options;
    const QStringList m_arguments;
    const std::function<void(const ResultRow &)> m_takeRow;
    const QChar m_separator;
    std::unique_ptr<ProgressLine> m_progress;
    QList<ResultRow> m_rows;
    QList<ResultRow> m_copied;
    QStringList m_substituted;
    qsizetype m_found = 0;
    RepeatedTexts m_repeated;
    qsizetype m_utf8Texts = 0;
    RunStats m_stats;
    bool m_failed = false;
};

} // namespace

int runCli(const QStringList &arguments)
{
    const ParsedOptions parsed = parseOptions(arguments);
    if (!parsed.error.isEmpty()) {
        printError(parsed.error);
        std::fprintf(stderr, "Hilfe: qvx-cli --help\n");
        return ExitStatus::Failure;
    }
    if (parsed.options.help) {
        std::fputs(helpText().toUtf8().constData(), stdout);
        return ExitStatus::Found;
    }
    if (parsed.options.version) {
        std::printf("qvx-cli %s\n", QVX_VERSION);
        return ExitStatus::Found;
    }
    try {
        if (!parsed.options.repeatFile.isEmpty())
            return repeatProtocol(parsed.options);
        return CliRun(parsed.options, arguments).run();
    } catch (const BrokenPipe &) {
        return ExitStatus::PipeClosed;
    } catch (const QvxError &error) {
        printError(error.message());
        return ExitStatus::Failure;
    }
}

int runSearch(const CliOptions &options, const std::function<void(const ResultRow &)> &takeRow)
{
    return CliRun(options, {}, takeRow).run();
}
