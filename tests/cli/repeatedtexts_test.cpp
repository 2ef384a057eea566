#include "repeatedtexts.h"

#include <gtest/gtest.h>

// Many files of neighbouring inodes on two devices, beyond the room first made: each is new once
// and names its first place ever after, also once the table has grown.
TEST(RepeatedTexts, EachFileNamesTheFirstPlaceItWasMetAt)
{
    RepeatedTexts repeated;
    repeated.expect(10);
    const auto file = [](quint64 device, quint64 inode) {
        FileIdentity identity;
        identity.device = device;
        identity.inode = inode;
        return identity;
    };
    for (qsizetype i = 0; i < 2000; ++i)
        ASSERT_EQ(repeated.firstTextOf(file(quint64(i % 2), quint64(i / 2)), i), -1) << i;
    for (qsizetype i = 0; i < 2000; i += 7)
        EXPECT_EQ(repeated.firstTextOf(file(quint64(i % 2), quint64(i / 2)), 5000 + i), i);
    EXPECT_EQ(repeated.firstTextOf(file(2, 0), 9000), -1);
}
