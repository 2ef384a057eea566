#include "search/earlyreads.h"

#include "files/sourcelisting.h"
#include "search/readahead.h"
#include "search/textpreparer.h"
#include "search/threadpriority.h"

#include <algorithm>
#include <iterator>
#include <system_error>
#include <utility>

EarlyReads::EarlyReads(ScanRecipe recipe, QString directory, int threads, qsizetype startAfter)
    : m_recipe(std::move(recipe)), m_directory(std::move(directory)),
      m_threadCount(std::max(threads, 0)), m_startAfter(startAfter)
{
    if (m_startAfter == 0)
        start();
}

void EarlyReads::start()
{
    m_outcomes.resize(size_t(m_threadCount));
    try {
        for (std::vector<Outcome> &outcomes : m_outcomes)
            m_threads.emplace_back([this, &outcomes] { work(outcomes); });
    } catch (const std::system_error &) {
        // Fewer threads read less early; the run reads the rest.
    }
}

EarlyReads::~EarlyReads()
{
    stop();
}

void EarlyReads::stop()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping.store(true);
    }
    m_namesOrStop.notify_all();
    for (std::thread &thread : m_threads) {
        if (thread.joinable())
            thread.join();
    }
}

void EarlyReads::listed(const char *name, std::size_t length)
{
    const qsizetype place = m_listed++;
    if (place < m_startAfter) {
        if (place + 1 == m_startAfter)
            start();
        return;
    }
    if (m_threads.empty() || place - m_startAfter >= kMostTexts)
        return;
    m_pending.emplace_back(name, length);
    if (m_pending.size() == kBatch)
        handOver();
}

void EarlyReads::handOver()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        std::move(m_pending.begin(), m_pending.end(), std::back_inserter(m_names));
    }
    m_pending.clear();
    m_namesOrStop.notify_all();
}

bool EarlyReads::takeNames(std::vector<std::string> &names, qsizetype &first)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_namesOrStop.wait(lock,
                       [this] { return m_stopping.load() || m_taken < qsizetype(m_names.size()); });
    if (m_stopping.load())
        return false;
    const qsizetype count = std::min(qsizetype(kBatch), qsizetype(m_names.size()) - m_taken);
    names.assign(m_names.begin() + m_taken, m_names.begin() + m_taken + count);
    first = m_taken;
    m_taken += count;
    return true;
}

void EarlyReads::work(std::vector<Outcome> &outcomes)
{
    // The listing decides when the run can begin; these threads take only the time it leaves.
    yieldToOtherThreads();
    // No gate: a large text waits for the run, which holds one at a time.
    TextPreparer preparer(m_recipe, {&m_stopping, true, nullptr, nullptr, ReadAhead::kLargestText});
    std::vector<std::string> names;
    qsizetype first = 0;
    PreparedText text;
    while (takeNames(names, first)) {
        for (std::size_t n = 0; n < names.size() && !m_stopping.load(); ++n) {
            const QString path = sourcePath(m_directory, names[n].data(), names[n].size());
            if (!preparer.prepare(path, m_recipe.encoding, text))
                continue;
            outcomes.push_back({m_startAfter + first + qsizetype(n), std::exchange(text, {})});
            m_read.fetch_add(1);
        }
    }
}

void EarlyReads::finish(const std::vector<qsizetype> &listedAt, int first, KnownOutcomes &known)
{
    stop();
    std::vector<int> placeOf(listedAt.size());
    for (std::size_t k = 0; k < listedAt.size(); ++k)
        placeOf[size_t(listedAt[k])] = int(k);
    std::vector<std::pair<int, PreparedText *>> byPlace;
    for (std::vector<Outcome> &outcomes : m_outcomes) {
        for (Outcome &outcome : outcomes)
            byPlace.emplace_back(placeOf[size_t(outcome.listed)], &outcome.text);
    }
    std::sort(byPlace.begin(), byPlace.end());
    for (const auto &[place, text] : byPlace)
        known.add(first + place, std::move(*text));
    m_outcomes.clear();
}
