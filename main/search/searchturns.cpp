#include "search/searchturns.h"

#include "search/preparedtext.h"

#include <system_error>
#include <thread>
#include <utility>

SearchTurns::SearchTurns(const ScanRecipe &recipe, QStringList paths, int threads,
                         ReadAhead::Priority priority, ReadAhead::Validity validity,
                         std::shared_ptr<const EventPoints> eventPoints)
    : m_scan(recipe),
      m_ahead(recipe, std::move(paths), threads, priority, validity, std::move(eventPoints))
{
    m_scan.setCancellation(&m_cancelled);
}

SearchTurns::~SearchTurns()
{
    m_cancelled.store(true);
}

void SearchTurns::cancel()
{
    m_cancelled.store(true);
    m_ahead.cancel();
}

void endInBackground(std::unique_ptr<SearchTurns> turns)
{
    turns->cancel();
    try {
        std::thread([ended = std::move(turns)] {}).detach();
    } catch (const std::system_error &) {
        // Without a thread to wait on, the lambda that holds the turns is gone already, and
        // with it the turns, waited for here.
    }
}

void SearchTurns::begin(int i, const QString &path, const TurnValues &values)
{
    m_index = i;
    m_scan.setEncoding(values.encoding.value_or(m_scan.recipe().encodingOf(i)));
    m_path = path;
    m_values = values;
    m_result.reset();
    m_file.reset();
    m_thrown = nullptr;
    m_stage = Stage::Ahead;
}

bool SearchTurns::wait(std::chrono::milliseconds wait)
{
    if (m_stage == Stage::Ahead) {
        if (!m_ahead.waitFor(m_index, wait))
            return false;
        takeAhead();
    }
    if (m_stage == Stage::Again && m_thread.waitFor(wait))
        m_stage = Stage::Over;
    return m_stage == Stage::Over;
}

void SearchTurns::takeAhead()
{
    const PreparedText *ahead = m_ahead.take(m_index);
    if (m_scan.aheadStands(m_path, m_values, ahead)) {
        m_stage = Stage::Over;
        if (ahead->read)
            m_file = ahead->identity;
        try {
            m_result = m_scan.takeAhead(*ahead, m_values);
        } catch (...) {
            m_thrown = std::current_exception();
        }
        return;
    }
    m_stage = Stage::Again;
    m_thread.start([this] {
        m_result = m_scan.atTurn(m_path, m_values, nullptr);
        m_file = m_scan.identity();
    });
}

std::optional<FileResult> SearchTurns::outcome()
{
    if (m_thrown)
        std::rethrow_exception(std::exchange(m_thrown, nullptr));
    m_thread.rethrow();
    return std::move(m_result);
}

std::optional<FileIdentity> SearchTurns::fileReadAhead(int i) const
{
    const PreparedText *ahead = i > m_index ? m_ahead.peek(i) : nullptr;
    if (!ahead || !ahead->read)
        return std::nullopt;
    return ahead->identity;
}
