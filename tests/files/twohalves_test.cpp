#include "files/twohalves.h"

#include <gtest/gtest.h>
#include <mutex>
#include <stdexcept>
#include <vector>

// The second half runs on the helper or, when the helper is late, on the caller: either way each
// item is worked on once, within its half, whoever gets there first.
TEST(TwoHalves, EveryItemOnceInItsHalfWhicheverThreadTakesTheSecond)
{
    const qsizetype count = kNamesForTwoThreads + 3;
    for (int round = 0; round < 100; ++round) {
        std::vector<int> visits(size_t(count), 0);
        std::vector<int> halfOf(size_t(count), -1);
        std::mutex mutex;
        inTwoHalves(count, [&](int half, qsizetype from, qsizetype to) {
            const std::lock_guard<std::mutex> lock(mutex);
            for (qsizetype i = from; i < to; ++i) {
                ++visits[size_t(i)];
                halfOf[size_t(i)] = half;
            }
        });
        for (qsizetype i = 0; i < count; ++i) {
            ASSERT_EQ(visits[size_t(i)], 1) << i;
            ASSERT_EQ(halfOf[size_t(i)], i < count / 2 ? 0 : 1) << i;
        }
    }
}

TEST(TwoHalves, AFailureInEitherHalfReachesTheCaller)
{
    for (const int failing : {0, 1}) {
        for (int round = 0; round < 20; ++round) {
            EXPECT_THROW(inTwoHalves(kNamesForTwoThreads,
                                     [failing](int half, qsizetype, qsizetype) {
                                         if (half == failing)
                                             throw std::runtime_error("half failed");
                                     }),
                         std::runtime_error);
        }
    }
}
