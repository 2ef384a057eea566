#pragma once

#include <QScopeGuard>
#include <QtGlobal>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>

// Below this many names (or other items) a second thread costs more than it saves.
constexpr qsizetype kNamesForTwoThreads = 8192;

// Asks the system to run thread on another processor than the caller's. A new thread otherwise
// often waits on the caller's processor until the caller sleeps, so that two halves of a
// millisecond run one after the other while the other processors idle.
void keepApartFromCaller(std::thread &thread);

// Runs work(half, from, to) for the halves 0 and 1 of [0, count) at once, the second one on a
// thread of its own; a short list, or one for which no thread can be had, is done here whole as
// half 0. A command line run over 100,000 texts waits for the listing before it reads the first.
// When this thread is through with half 0 before the other one has begun, it does half 1 as
// well: a processor busy with other work never makes the halves slower than one thread.
template <typename Work> void inTwoHalves(qsizetype count, Work work)
{
    if (count < kNamesForTwoThreads) {
        work(0, 0, count);
        return;
    }
    const qsizetype half = count / 2;
    std::atomic<bool> secondTaken{false};
    const auto second = [&] {
        if (!secondTaken.exchange(true))
            work(1, half, count);
    };
    std::exception_ptr failure;
    std::thread helper;
    try {
        helper = std::thread([&] {
            try {
                second();
            } catch (...) {
                failure = std::current_exception();
            }
        });
    } catch (const std::system_error &) {
        work(0, 0, count);
        return;
    }
    keepApartFromCaller(helper);
    {
        // Also when a half fails here: the thread must not be left running.
        const auto joinHelper = qScopeGuard([&helper] { helper.join(); });
        work(0, 0, half);
        second();
    }
    if (failure)
        std::rethrow_exception(failure);
}
