#pragma once

#include <QScopeGuard>
#include <QtGlobal>
#include <exception>
#include <system_error>
#include <thread>

// Below this many names (or other items) a second thread costs more than it saves.
constexpr qsizetype kNamesForTwoThreads = 8192;

// Runs work(half, from, to) for the halves 0 and 1 of [0, count) at once, the second one on a
// thread of its own; a short list, or one for which no thread can be had, is done here whole as
// half 0. A command line run over 100,000 texts waits for the listing before it reads the first.
template <typename Work> void inTwoHalves(qsizetype count, Work work)
{
    if (count < kNamesForTwoThreads) {
        work(0, 0, count);
        return;
    }
    const qsizetype half = count / 2;
    std::exception_ptr failure;
    std::thread helper;
    try {
        helper = std::thread([&] {
            try {
                work(1, half, count);
            } catch (...) {
                failure = std::current_exception();
            }
        });
    } catch (const std::system_error &) {
        work(0, 0, count);
        return;
    }
    {
        // Also when this half fails: the thread must not be left running.
        const auto joinHelper = qScopeGuard([&helper] { helper.join(); });
        work(0, 0, half);
    }
    if (failure)
        std::rethrow_exception(failure);
}
