#include "search/turnthread.h"

#include <system_error>
#include <utility>

TurnThread::~TurnThread()
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void TurnThread::start(std::function<void()> job)
{
    m_thrown = nullptr;
    if (!m_thread.joinable()) {
        try {
            m_thread = std::thread([this] { loop(); });
        } catch (const std::system_error &) {
            try {
                job();
            } catch (...) {
                m_thrown = std::current_exception();
            }
            return;
        }
    }
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_job = std::move(job);
        m_done = false;
    }
    m_changed.notify_all();
}

bool TurnThread::waitFor(std::chrono::milliseconds wait)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, wait, [this] { return m_done; });
}

void TurnThread::rethrow()
{
    if (m_thrown)
        std::rethrow_exception(std::exchange(m_thrown, nullptr));
}

void TurnThread::loop()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_quit || !m_done; });
        if (!m_done) {
            const std::function<void()> job = std::exchange(m_job, {});
            lock.unlock();
            std::exception_ptr thrown;
            try {
                job();
            } catch (...) {
                thrown = std::current_exception();
            }
            lock.lock();
            m_thrown = thrown;
            m_done = true;
            m_changed.notify_all();
        }
        if (m_quit)
            return;
    }
}
