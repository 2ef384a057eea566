#pragma once

#include "files/fileidentity.h"
#include "search/fileresult.h"
#include "search/readahead.h"
#include "search/textscan.h"
#include "search/turnthread.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <exception>
#include <memory>
#include <optional>

// The texts of a search run, one turn after another, with all reading and searching off the
// caller's thread: the outcome worked out ahead where it stands, otherwise the text is worked
// out again on a thread of its own. The caller waits for each turn in slices and may do its own
// work between them (let a window process events, look for an interruption); giving up on a
// turn cancels the work in hand.
class SearchTurns
{
public:
    SearchTurns(const ScanRecipe &recipe, QStringList paths, int threads,
                ReadAhead::Priority priority = ReadAhead::Priority::Normal,
                ReadAhead::Validity validity = ReadAhead::Validity::UntilChanged,
                std::shared_ptr<const EventPoints> eventPoints = nullptr);
    // Cancels the work in hand and waits for the threads, which end within a few milliseconds.
    ~SearchTurns();
    SearchTurns(const SearchTurns &) = delete;
    SearchTurns &operator=(const SearchTurns &) = delete;

    // Tells the work in hand to end soon, without waiting for it.
    void cancel();

    // Begins the turn of text i (0, 1, 2, ... in order) at path, with the fields as they read
    // now.
    void begin(int i, const QString &path, const TurnValues &values);
    // Whether the turn is over, waited for at most wait.
    bool wait(std::chrono::milliseconds wait);
    // The outcome of the turn that is over. Throws QvxError as the search of the text would.
    std::optional<FileResult> outcome();
    // Whether the text of the turn that is over, read as Windows-1252, is well-formed UTF-8 with
    // multi-byte sequences.
    bool utf8AsWindows1252() const { return m_scan.utf8AsWindows1252(); }
    // The file that the text of the turn that is over was read from, as it was then; none when
    // it could not be read.
    const std::optional<FileIdentity> &fileRead() const { return m_file; }
    // The file that text i, one of the coming turns, was read from ahead, when that is known
    // already; it may still be read again at its turn.
    std::optional<FileIdentity> fileReadAhead(int i) const;

private:
    enum class Stage
    {
        Ahead,
        Again,
        Over
    };

    void takeAhead();

    std::atomic<bool> m_cancelled{false};
    TextScan m_scan;
    ReadAhead m_ahead;
    TurnThread m_thread;

    Stage m_stage = Stage::Over;
    int m_index = 0;
    QString m_path;
    TurnValues m_values;
    std::optional<FileResult> m_result;
    std::optional<FileIdentity> m_file;
    std::exception_ptr m_thrown;
};

// Ends a run's turns without waiting for them: the work in hand is cancelled, and the threads
// are waited for on a thread of their own. A single search step of PCRE2 cannot be interrupted
// and may take a moment; the caller does not wait for it.
void endInBackground(std::unique_ptr<SearchTurns> turns);
