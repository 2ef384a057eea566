#include "windowfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <chrono>
#include <functional>
#include <thread>
#include <unistd.h>

namespace {

// Runs while the search first lets events run, after the second text, once the read-ahead has
// had time to work through every text of these small lists.
void whenEventsRunAfterReadAhead(std::function<void()> change)
{
    QMetaObject::invokeMethod(
        qApp,
        [change] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            change();
        },
        Qt::QueuedConnection);
}

class ReadAheadRunTest : public WindowTest
{
protected:
    ReadAheadRunTest() { setDefaultTarget(); }
};

} // namespace

TEST_F(ReadAheadRunTest, ListEntriesAndWeightingChangedWhileEventsRunCountAtTheirTurn)
{
    const QStringList paths =
        useTexts({"a b\r\n", "a b b\r\n", "a b c\r\n", "a b\r\n", "a c c\r\n", "a\r\n"});
    const QString replacement = corpus.write("ersatz.txt", "a a a c\r\n");
    setText("Edit2", "b");
    auto *box = find<QListWidget>("box");
    whenEventsRunAfterReadAhead([this, box, replacement] {
        box->item(3)->setText(replacement);
        delete box->takeItem(5);
        setText("Edit2", "c");
    });
    search("a");
    ASSERT_EQ(rowCount(), 5);
    EXPECT_EQ(rowTexts(0).mid(0, 2), (QStringList{paths[0], "1"}));
    EXPECT_EQ(rowTexts(1)[3], "2") << "weighted by b";
    EXPECT_EQ(rowTexts(2)[3], "1") << "weighted by c from here on";
    EXPECT_EQ(rowTexts(3).mid(0, 2), (QStringList{replacement, "3"}));
    EXPECT_EQ(rowTexts(3)[3], "1");
    EXPECT_EQ(rowTexts(4)[3], "2");
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(ReadAheadRunTest, CaseRuleTickedWhileEventsRunCountsAtEachTurn)
{
    useTexts({"HAUS\r\n", "HAUS\r\n", "HAUS\r\n", "Haus\r\n"});
    find<QRadioButton>("RadioButton2")->setChecked(true);
    auto *ignoreCase = find<QCheckBox>("CheckBox1");
    whenEventsRunAfterReadAhead([ignoreCase] { ignoreCase->setChecked(true); });
    search("haus");
    EXPECT_EQ(rowCount(), 2);
}

TEST_F(ReadAheadRunTest, FilesChangedAfterTheReadAheadGiveWhatAReadAtTheirTurnGives)
{
    const QStringList paths =
        useTexts({"a\r\n", "a\r\n", "a\r\n", "a\r\n", "a\r\n", "a\r\n", "a\r\n"});
    const bool permissionsEnforced = ::geteuid() != 0;
    whenEventsRunAfterReadAhead([&] {
        corpus.write("t2.txt", "a a a\r\n");
        corpus.write("t3.txt", "b\r\n");
        if (permissionsEnforced)
            QFile::setPermissions(paths[4], QFileDevice::Permissions());
        QFile::remove(paths[5]);
    });
    search("a");
    const QString failed = permissionsEnforced ? paths[4] : paths[5];
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_TRUE(dialogs->shown().front().text.startsWith(
        QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(failed)))
        << dialogs->shown().front().text.toStdString();
    ASSERT_EQ(rowCount(), permissionsEnforced ? 3 : 4);
    EXPECT_EQ(rowTexts(2).mid(0, 2), (QStringList{paths[2], "3"}));
    EXPECT_EQ(find<QProgressBar>("bar1")->value(), permissionsEnforced ? 4 : 5);
}

TEST_F(ReadAheadRunTest, FailureOfTheFirstTextIsReportedBeforeAnyPatternError)
{
    const QStringList paths = useTexts({"abc\r\n", "abc\r\n"});
    const QString missing = corpus.filePath("fehlt.txt");
    setSources({missing, paths[0], paths[1]});
    search("(abc");
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_TRUE(dialogs->shown().front().text.startsWith(
        QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(missing)));
    EXPECT_EQ(rowCount(), 0);
}
