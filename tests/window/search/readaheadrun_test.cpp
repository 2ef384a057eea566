#include "windowfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QTreeWidget>
#include <chrono>
#include <functional>
#include <memory>
#include <poll.h>
#include <set>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// Notes, through the file system, when a text has been read: the kernel reports every close of a
// file that was open for reading. Watches from its making on.
class ReadWatch
{
public:
    explicit ReadWatch(const QStringList &paths) : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        for (const QString &path : paths)
            m_unread.insert(
                ::inotify_add_watch(m_fd, QFile::encodeName(path).constData(), IN_CLOSE_NOWRITE));
    }
    ~ReadWatch() { ::close(m_fd); }
    ReadWatch(const ReadWatch &) = delete;
    ReadWatch &operator=(const ReadWatch &) = delete;

    // Waits until every text has been read once; false when one was still unread after a bound
    // far beyond any machine's reading of a few small texts.
    bool waitUntilAllRead()
    {
        if (m_fd < 0 || m_unread.count(-1))
            return false;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        alignas(inotify_event) char buffer[4096];
        while (!m_unread.empty() && std::chrono::steady_clock::now() < deadline) {
            pollfd ready{m_fd, POLLIN, 0};
            if (::poll(&ready, 1, 1000) <= 0)
                continue;
            const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
            for (ssize_t at = 0; at < got;) {
                const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
                if (event->mask & IN_CLOSE_NOWRITE)
                    m_unread.erase(event->wd);
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        return m_unread.empty();
    }

private:
    const int m_fd;
    std::set<int> m_unread;
};

// Makes the change the first time the search lets events run, once the read-ahead has read every
// text of the list, so that what it prepared predates the change. Where the run lets events run
// is its own choice; the change is given the number of texts whose turn is over, which the bar
// shows whenever events run (each step of a short list changes its percentage). The rows found
// would not tell: the run may hold some back until the list is drawn.
void whenEventsRunAfterReadAhead(const QStringList &paths, const QProgressBar *bar,
                                 std::function<void(int)> change)
{
    auto watch = std::make_shared<ReadWatch>(paths);
    QMetaObject::invokeMethod(
        qApp,
        [watch, bar, change] {
            EXPECT_TRUE(watch->waitUntilAllRead()) << "the read-ahead never read every text";
            change(bar->value());
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
    // Weighted by b, each text gives fB 1; weighted by c, 2.
    const QStringList paths = useTexts(QList<QByteArray>(8, "a b c c\r\n"));
    const QString replacement = corpus.write("ersatz.txt", "a a a c\r\n");
    setText("Edit2", "b");
    auto *box = find<QListWidget>("box");
    int done = -1;
    QStringList after = paths;
    whenEventsRunAfterReadAhead(paths, find<QProgressBar>("bar1"), [&](int texts) {
        done = texts;
        // The entry after the next one is replaced, the last one deleted.
        if (done + 2 >= box->count())
            return;
        box->item(done + 1)->setText(replacement);
        delete box->takeItem(box->count() - 1);
        after[done + 1] = replacement;
        after.removeLast();
        setText("Edit2", "c");
    });
    search("a");
    ASSERT_GE(done, 0) << "events never ran during the run";
    ASSERT_LT(done + 2, paths.size()) << "events ran only when too few texts were left";
    ASSERT_EQ(rowCount(), after.size());
    for (int row = 0; row < rowCount(); ++row) {
        SCOPED_TRACE(row);
        const QStringList texts = rowTexts(row);
        const QStringList pathFAndFB{texts[0], texts[1], texts[3]};
        // Weighted by b before the change, by c after it; the replacement has three a, one c.
        // Events may also run while the run waits for text done: its turn has then begun, with
        // the weighting it had, and may count with either.
        const QString fBOfDone = texts[3] == "1" ? "1" : "2";
        const QStringList expected = row < done        ? QStringList{after[row], "1", "1"}
                                     : row == done     ? QStringList{after[row], "1", fBOfDone}
                                     : row == done + 1 ? QStringList{replacement, "3", "1"}
                                                       : QStringList{after[row], "1", "2"};
        EXPECT_EQ(pathFAndFB, expected);
    }
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(ReadAheadRunTest, CaseRuleTickedWhileEventsRunCountsAtEachTurn)
{
    // The first text matches under either rule, the others only with the case ignored.
    QList<QByteArray> texts(8, "HAUS\r\n");
    texts[0] = "haus\r\n";
    const QStringList paths = useTexts(texts);
    find<QRadioButton>("RadioButton2")->setChecked(true);
    auto *ignoreCase = find<QCheckBox>("CheckBox1");
    bool ticked = false;
    whenEventsRunAfterReadAhead(paths, find<QProgressBar>("bar1"), [&](int) {
        ticked = true;
        ignoreCase->setChecked(true);
    });
    search("haus");
    ASSERT_TRUE(ticked) << "events never ran during the run";
    // The first text, then every text from the tick on: a tail of the list that is not empty.
    ASSERT_GE(rowCount(), 2) << "no text after the tick counted with the case ignored";
    EXPECT_EQ(rowTexts(0)[0], paths[0]);
    const int firstAfterTick = int(paths.size()) - (rowCount() - 1);
    for (int row = 1; row < rowCount(); ++row)
        EXPECT_EQ(rowTexts(row)[0], paths[firstAfterTick + row - 1]) << row;
}

TEST_F(ReadAheadRunTest, FilesChangedAfterTheReadAheadGiveWhatAReadAtTheirTurnGives)
{
    const QStringList paths = useTexts(QList<QByteArray>(10, "a\r\n"));
    const bool permissionsEnforced = ::geteuid() != 0;
    int done = -1;
    whenEventsRunAfterReadAhead(paths, find<QProgressBar>("bar1"), [&](int texts) {
        done = texts;
        if (done + 3 >= paths.size())
            return;
        corpus.write(QFileInfo(paths[done]).fileName(), "a a a\r\n");
        corpus.write(QFileInfo(paths[done + 1]).fileName(), "b\r\n");
        if (permissionsEnforced)
            QFile::setPermissions(paths[done + 2], QFileDevice::Permissions());
        QFile::remove(paths[done + 3]);
    });
    search("a");
    ASSERT_GE(done, 0) << "events never ran during the run";
    ASSERT_LT(done + 3, paths.size()) << "events ran only when too few texts were left";
    const int failing = permissionsEnforced ? done + 2 : done + 3;
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_TRUE(dialogs->shown().front().text.startsWith(
        QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(paths[failing])))
        << dialogs->shown().front().text.toStdString();
    // The rows before the change, the rewritten text, and the readable one of the two after "b".
    ASSERT_EQ(rowCount(), permissionsEnforced ? done + 1 : done + 2);
    EXPECT_EQ(rowTexts(done).mid(0, 2), (QStringList{paths[done], "3"}));
    EXPECT_EQ(find<QProgressBar>("bar1")->value(), failing);
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

TEST_F(ReadAheadRunTest, ListChangedBetweenRunsCountsInTheNextRun)
{
    const QStringList paths = useTexts(QList<QByteArray>(4, "a\r\n"));
    const QString replacement = corpus.write("ersatz.txt", "a a\r\n");
    search("a");
    ASSERT_EQ(rowCount(), 4);
    auto *box = find<QListWidget>("box");
    box->item(1)->setText(replacement);
    delete box->takeItem(box->count() - 1);
    search("a");
    ASSERT_EQ(rowCount(), 3);
    EXPECT_EQ(rowTexts(0).mid(0, 2), (QStringList{paths[0], "1"}));
    EXPECT_EQ(rowTexts(1).mid(0, 2), (QStringList{replacement, "2"}));
    EXPECT_EQ(rowTexts(2).mid(0, 2), (QStringList{paths[2], "1"}));
}
