#include "search/eventpoints.h"
#include "window/search/filechangingevents.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QTimer>
#include <QTimerEvent>
#include <QTreeWidget>
#include <gtest/gtest.h>

// A run takes its readings unlooked only while no event could have started work that writes a
// file: drawing and an item view's own timers keep it still, a timer object or a queued call do
// not, and an event point passed after them makes it still again. Work may also read the result
// list, so the run is asked to bring it up to date first.
TEST(FileChangingEventsTest, OnlyEventsThatMayStartAnyWorkCount)
{
    QTreeWidget view;
    QPushButton button;
    QTimer timer;
    timer.start(60'000);
    EventPoints points;
    FileChangingEvents watch(points);
    int broughtUpToDate = 0;
    watch.setBeforeWork([&] { ++broughtUpToDate; });
    QTimerEvent viewTimer(1);
    QCoreApplication::sendEvent(&view, &viewTimer);
    QEvent drawing(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(&view, &drawing);
    EXPECT_TRUE(points.stillSince(0));
    EXPECT_EQ(broughtUpToDate, 0);

    QTimerEvent timeout(timer.timerId());
    QCoreApplication::sendEvent(&timer, &timeout);
    EXPECT_FALSE(points.stillSince(0)) << "a timer object";
    EXPECT_EQ(broughtUpToDate, 1);

    points.pass();
    EXPECT_FALSE(points.stillSince(0));
    EXPECT_TRUE(points.stillSince(1));
    QTimerEvent buttonTimer(1);
    QCoreApplication::sendEvent(&button, &buttonTimer);
    EXPECT_FALSE(points.stillSince(1)) << "a button's own timer may click it";

    points.pass();
    EXPECT_TRUE(points.stillSince(2));
    QMetaObject::invokeMethod(
        &view, [] {}, Qt::QueuedConnection);
    QCoreApplication::processEvents();
    EXPECT_FALSE(points.stillSince(2)) << "a queued call";
}
