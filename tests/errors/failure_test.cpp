#include "errors/failure.h"

#include <cerrno>
#include <gtest/gtest.h>

TEST(Failure, OnlyAFullDiskOrQuotaIsADiskFull)
{
    EXPECT_TRUE((Failure{QStringLiteral("voll"), ENOSPC}.diskFull()));
    EXPECT_TRUE((Failure{QStringLiteral("Kontingent"), EDQUOT}.diskFull()));
    for (const int other : {0, EIO, EACCES, EROFS, EFBIG, EPIPE})
        EXPECT_FALSE((Failure{QStringLiteral("anders"), other}.diskFull())) << other;
}
