#include "files/fileidentity.h"

#include <gtest/gtest.h>

namespace {

constexpr qint64 kSecond = 1'000'000'000;

FileIdentity changedAt(qint64 modifiedNs, qint64 changedNs)
{
    FileIdentity identity;
    identity.modifiedNs = modifiedNs;
    identity.changedNs = changedNs;
    return identity;
}

} // namespace

TEST(FileIdentity, AChangeCountsAsSettledOnlyAWholeTimeStepBeforeTheRead)
{
    const qint64 read = 1000 * kSecond + kSecond / 2;
    // Whole seconds: the write may have come up to the step later than the time says.
    EXPECT_EQ(fileTimeStepNs(changedAt(1000 * kSecond, 1000 * kSecond)), 2 * kSecond);
    EXPECT_FALSE(settledBefore(changedAt(1000 * kSecond, 1000 * kSecond), read));
    EXPECT_FALSE(settledBefore(changedAt(999 * kSecond, 999 * kSecond), read));
    EXPECT_TRUE(settledBefore(changedAt(998 * kSecond, 998 * kSecond), read));
    // Nanoseconds: the coarse clock's margin is all it takes.
    EXPECT_EQ(fileTimeStepNs(changedAt(1000 * kSecond + 123, 1000 * kSecond + 456)), 1);
    EXPECT_TRUE(settledBefore(changedAt(1000 * kSecond + 123, 1000 * kSecond + 456), read));
    // Hundredths of a second, as some file systems keep them.
    const qint64 hundredths = 1000 * kSecond + 450'000'000;
    EXPECT_EQ(fileTimeStepNs(changedAt(hundredths, hundredths)), 10'000'000);
    EXPECT_FALSE(settledBefore(changedAt(hundredths + 30'000'000, hundredths), read));
}
