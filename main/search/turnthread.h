#pragma once

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

// A thread that does one job at a time for a caller that must stay responsive while it waits:
// the caller hands a job over and waits for it in slices, doing its own work between them.
class TurnThread
{
public:
    TurnThread() = default;
    // Waits for the job in hand; whoever gave it must have told it to end soon.
    ~TurnThread();
    TurnThread(const TurnThread &) = delete;
    TurnThread &operator=(const TurnThread &) = delete;

    // Starts job on the thread, which is started at the first job. Where no thread can be
    // started, the job runs here and now.
    void start(std::function<void()> job);
    // Whether the job is done, waited for at most wait.
    bool waitFor(std::chrono::milliseconds wait);
    // Throws what the finished job threw.
    void rethrow();

private:
    void loop();

    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::function<void()> m_job;
    std::exception_ptr m_thrown;
    bool m_done = true;
    bool m_quit = false;
};
