#include "window/search/resultlistrefresh.h"

#include <QLabel>
#include <QThread>
#include <QTreeWidget>
#include <gtest/gtest.h>

// What the run found is handed to the list before the list is drawn again, both at a refresh and
// when a box is about to stand over it; in between, the list and the counters stay held back.
TEST(ResultListRefreshTest, TheListIsBroughtUpToDateBeforeItIsDrawn)
{
    QTreeWidget list;
    QLabel counter;
    QList<bool> heldBackWhenAsked;
    ResultListRefresh refresh(&list, {&counter},
                              [&] { heldBackWhenAsked << !list.updatesEnabled(); });
    EXPECT_FALSE(list.updatesEnabled());
    EXPECT_FALSE(counter.updatesEnabled());

    // Longer than the shortest refresh interval, which has passed for sure then.
    QThread::msleep(150);
    refresh.processEvents();
    ASSERT_EQ(heldBackWhenAsked.size(), 1);
    EXPECT_TRUE(heldBackWhenAsked[0]) << "brought up to date before the list may draw";
    EXPECT_FALSE(list.updatesEnabled()) << "held back again after the refresh";

    refresh.release();
    EXPECT_EQ(heldBackWhenAsked.size(), 2);
    EXPECT_TRUE(list.updatesEnabled());
    EXPECT_TRUE(counter.updatesEnabled());
}
