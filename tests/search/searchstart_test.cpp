#include "search/searchstart.h"

#include <gtest/gtest.h>

TEST(SearchStart, OnlyVerbsAndTheStartOfASearchKeepAPatternWhole)
{
    EXPECT_FALSE(dependsOnSearchStart("(\\d|\\s)+Euro"));
    EXPECT_FALSE(dependsOnSearchStart("(*UCP)(*UTF)(*CRLF)(*LIMIT_MATCH=500)(*NO_START_OPT)\\w+"));
    EXPECT_FALSE(dependsOnSearchStart("(*pla:a)(*atomic:b+)c"));
    EXPECT_FALSE(dependsOnSearchStart("a\\(*b"));
    EXPECT_FALSE(dependsOnSearchStart("[](*]x[^]\\\\(*]"));

    EXPECT_TRUE(dependsOnSearchStart("\\Ga"));
    EXPECT_TRUE(dependsOnSearchStart("a(*COMMIT)b"));
    EXPECT_TRUE(dependsOnSearchStart("(*:m)a"));
    EXPECT_TRUE(dependsOnSearchStart("(*UTF)(*NOTEMPTY_ATSTART)a*"));
    // The "(" that follows an escaped backslash or \c's character opens a verb.
    EXPECT_TRUE(dependsOnSearchStart("\\\\(*COMMIT)"));
    EXPECT_TRUE(dependsOnSearchStart("\\c\\(*COMMIT)"));
    // The "[" stands in a POSIX class, a quote, a comment or a callout's text, not for a class.
    EXPECT_TRUE(dependsOnSearchStart("[[:alpha:][](*COMMIT)"));
    EXPECT_TRUE(dependsOnSearchStart("\\Q[\\E(*COMMIT)"));
    EXPECT_TRUE(dependsOnSearchStart("(?#[)(*COMMIT)"));
    EXPECT_TRUE(dependsOnSearchStart("(?x)#[\n(*COMMIT)]"));
    EXPECT_TRUE(dependsOnSearchStart("(?C\"[\")(*COMMIT)"));
}
