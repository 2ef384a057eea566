#include "sourcelistfixture.h"

#include <QProgressBar>
#include <QPushButton>

namespace {

// The source commands run while a search lets events through, as a user's click during the run
// would; the run must neither read past the end of the changed list nor stop working. Every text
// gives a row, so the rows found tell the texts done.
class SourcesWhileSearchingTest : public SourceListTest
{
protected:
    void expectIdleWithoutErrors()
    {
        EXPECT_TRUE(find<QPushButton>("Button3")->isVisible());
        EXPECT_FALSE(find<QPushButton>("Button6")->isVisible());
        for (const MessageRequest &box : dialogs->shown())
            EXPECT_NE(box.icon, MessageIcon::Error) << box.text.toStdString();
    }
    int progress() const { return find<QProgressBar>("bar1")->value(); }
    bool running() const { return find<QPushButton>("Button6")->isVisible(); }

    // Clicks the button the first time events run during the search with at least one row found
    // and fewer than `below`; returns, through rowsAtClick, the rows found by then.
    void clickDuringTheRun(const char *button, int below, int &rowsAtClick)
    {
        whenEventsRun([this, below] { return running() && rowCount() > 0 && rowCount() < below; },
                      [this, button, &rowsAtClick] {
                          rowsAtClick = rowCount();
                          click(button);
                      });
    }
};

} // namespace

TEST_F(SourcesWhileSearchingTest, NewSourceDuringTheRunEndsItAtTheShorterList)
{
    const QStringList paths = useTexts({1, 2, 3, 4, 5, 6});
    dialogs->answerPopup(QStringLiteral("extealsneueQuelle1"));
    int rowsAtClick = -1;
    clickDuringTheRun("Button7", 5, rowsAtClick);
    search();

    ASSERT_GT(rowsAtClick, 0) << "events never ran between texts before the last two";
    // The rows found by then became the list; at most the text in hand was finished after it.
    EXPECT_EQ(boxTexts(), paths.mid(0, rowsAtClick));
    EXPECT_GE(rowCount(), rowsAtClick);
    EXPECT_LE(rowCount(), rowsAtClick + 1);
    EXPECT_EQ(rowCaptions(), paths.mid(0, rowCount()));
    EXPECT_EQ(progress(), rowCount());
    expectIdleWithoutErrors();
}

TEST_F(SourcesWhileSearchingTest, AppendingDuringTheRunLeavesItAtItsOwnCount)
{
    const QStringList paths = useTexts({1, 2, 3, 4, 5, 6});
    dialogs->answerPopup(QStringLiteral("hinzu1"));
    int rowsAtClick = -1;
    clickDuringTheRun("Button7", 6, rowsAtClick);
    search();

    ASSERT_GT(rowsAtClick, 0) << "events never ran between texts";
    EXPECT_EQ(boxTexts(), paths + paths.mid(0, rowsAtClick));
    EXPECT_EQ(rowCaptions(), paths);
    EXPECT_EQ(progress(), 6);
    expectIdleWithoutErrors();
}

TEST_F(SourcesWhileSearchingTest, NewDirectoryDuringTheRunIsReadFromTheSamePosition)
{
    const QStringList paths = useTexts({1, 2, 3, 4, 5, 6, 7, 8});
    const QString directory = corpusDirectory(QStringLiteral("neu"));
    QStringList fresh;
    for (const char *name : {"v.txt", "w.txt", "x.txt", "y.txt", "z.txt"}) {
        corpus.write(QStringLiteral("neu/") + QLatin1String(name), QByteArray(9, 'a'));
        fresh << directory + QDir::separator() + QLatin1String(name);
    }
    dialogs->answer(0);
    dialogs->answerSourceDirectory(directory);
    int rowsAtClick = -1;
    // Below four, so that the new list still has a text left after the text in hand.
    clickDuringTheRun("Button2", 4, rowsAtClick);
    search();

    ASSERT_GT(rowsAtClick, 0) << "events never ran between the first texts";
    ASSERT_EQ(boxTexts(), fresh);
    // The texts done from the old list: those found by then, and at most the text in hand.
    const QStringList captions = rowCaptions();
    int fromOld = 0;
    while (fromOld < captions.size() && fromOld < paths.size() &&
           captions[fromOld] == paths[fromOld])
        ++fromOld;
    EXPECT_GE(fromOld, rowsAtClick);
    EXPECT_LE(fromOld, rowsAtClick + 1);
    // The run went on from that position in the new list, up to its end.
    EXPECT_EQ(captions, paths.mid(0, fromOld) + fresh.mid(fromOld));
    for (int row = fromOld; row < rowCount(); ++row)
        EXPECT_EQ(rowTexts(row)[1], QStringLiteral("9")) << row;
    EXPECT_EQ(progress(), 5);
    EXPECT_EQ(label1(), QStringLiteral("Quelldateien (*.txt) [5]"));
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().icon, MessageIcon::Question);
    expectIdleWithoutErrors();
}

TEST_F(SourcesWhileSearchingTest, ResetAndCancelDuringTheRunEndsItAtOnce)
{
    const QStringList paths = useTexts({1, 2, 3, 4, 5, 6});
    dialogs->answer(0);
    int rowsAtClick = -1;
    clickDuringTheRun("Button2", 5, rowsAtClick);
    search();

    ASSERT_GT(rowsAtClick, 0) << "events never ran between texts before the last two";
    EXPECT_TRUE(boxTexts().isEmpty());
    // At most the text in hand was finished after the list was emptied.
    EXPECT_GE(rowCount(), rowsAtClick);
    EXPECT_LE(rowCount(), rowsAtClick + 1);
    EXPECT_EQ(rowCaptions(), paths.mid(0, rowCount()));
    EXPECT_EQ(progress(), rowCount());
    EXPECT_EQ(dialogs->sourceDirectoryRequests(), 1);
    expectIdleWithoutErrors();
}
