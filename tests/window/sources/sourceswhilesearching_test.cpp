#include "sourcelistfixture.h"

#include <QProgressBar>
#include <QPushButton>

namespace {

// The source commands run between two texts of a search, as a user's click during the run
// would; the run must neither read past the end of the changed list nor stop working.
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
};

} // namespace

TEST_F(SourcesWhileSearchingTest, NewSourceDuringTheRunEndsItAtTheShorterList)
{
    const QStringList paths = useTexts({1, 2, 3, 4, 5, 6});
    dialogs->answerPopup(QStringLiteral("extealsneueQuelle1"));
    clickWhenEventsRun("Button7");
    search();

    // Events run after the second text; by then two rows were found, and they became the list.
    EXPECT_EQ(boxTexts(), (QStringList{paths[0], paths[1]}));
    EXPECT_EQ(rowCaptions(), (QStringList{paths[0], paths[1]}));
    EXPECT_EQ(progress(), 2);
    expectIdleWithoutErrors();
}

TEST_F(SourcesWhileSearchingTest, AppendingDuringTheRunLeavesItAtItsOwnCount)
{
    const QStringList paths = useTexts({1, 2, 3, 4});
    dialogs->answerPopup(QStringLiteral("hinzu1"));
    clickWhenEventsRun("Button7");
    search();

    EXPECT_EQ(boxTexts(),
              (QStringList{paths[0], paths[1], paths[2], paths[3], paths[0], paths[1]}));
    EXPECT_EQ(rowCaptions(), paths);
    EXPECT_EQ(progress(), 4);
    expectIdleWithoutErrors();
}

TEST_F(SourcesWhileSearchingTest, NewDirectoryDuringTheRunIsReadFromTheSamePosition)
{
    const QStringList paths = useTexts({1, 2, 3, 4, 5, 6});
    for (const char *name : {"x.txt", "y.txt", "z.txt"})
        corpus.write(QStringLiteral("neu/") + QLatin1String(name), QByteArray(9, 'a'));
    const QString directory = corpusDirectory(QStringLiteral("neu"));
    dialogs->answer(0);
    dialogs->answerSourceDirectory(directory);
    clickWhenEventsRun("Button2");
    search();

    const QString z = directory + QDir::separator() + QStringLiteral("z.txt");
    ASSERT_EQ(rowCount(), 3);
    EXPECT_EQ(rowCaptions(), (QStringList{paths[0], paths[1], z}));
    EXPECT_EQ(rowTexts(2)[1], QStringLiteral("9"));
    EXPECT_EQ(boxTexts().size(), 3);
    EXPECT_EQ(label1(), QStringLiteral("Quelldateien (*.txt) [3]"));
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().icon, MessageIcon::Question);
    expectIdleWithoutErrors();
}

TEST_F(SourcesWhileSearchingTest, ResetAndCancelDuringTheRunEndsItAtOnce)
{
    const QStringList paths = useTexts({1, 2, 3, 4, 5});
    dialogs->answer(0);
    clickWhenEventsRun("Button2");
    search();

    EXPECT_TRUE(boxTexts().isEmpty());
    EXPECT_EQ(rowCaptions(), (QStringList{paths[0], paths[1]}));
    EXPECT_EQ(progress(), 2);
    expectIdleWithoutErrors();
}
