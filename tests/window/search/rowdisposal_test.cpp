#include "window/search/rowdisposal.h"

#include <QCoreApplication>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class CountedRow : public QTreeWidgetItem
{
public:
    explicit CountedRow(int &deleted) : m_deleted(deleted) {}
    ~CountedRow() override { ++m_deleted; }

private:
    int &m_deleted;
};

} // namespace

// The list is empty at once; the rows are deleted a slice at each event point of a run, and the
// rest by the timer only once no run lasts, whose events would otherwise count as work.
TEST(RowDisposalTest, RowsLeaveTheListAtOnceAndAreDeletedOutsideTheRunsEvents)
{
    QTreeWidget list;
    int deleted = 0;
    for (int i = 0; i < 5000; ++i)
        list.addTopLevelItem(new CountedRow(deleted));
    list.setCurrentItem(list.topLevelItem(3));
    RowDisposal disposal(nullptr);

    disposal.runStarts();
    disposal.takeRows(&list);
    EXPECT_EQ(list.topLevelItemCount(), 0);
    EXPECT_EQ(list.currentItem(), nullptr);
    EXPECT_EQ(deleted, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(deleted, 0) << "no timer while a run lasts";
    disposal.deleteSlice();
    EXPECT_GT(deleted, 0);
    EXPECT_LT(deleted, 5000);

    disposal.runEnds();
    for (int round = 0; round < 10 && deleted < 5000; ++round)
        QCoreApplication::processEvents();
    EXPECT_EQ(deleted, 5000);
}
