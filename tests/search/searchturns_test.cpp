#include "errors/qvxerror.h"
#include "fixtures.h"
#include "search/searchturns.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

std::optional<FileResult> turnOutcome(SearchTurns &turns, int i, const QString &path)
{
    turns.begin(i, path, TurnValues{});
    while (!turns.wait(std::chrono::milliseconds(50))) {
    }
    return turns.outcome();
}

// Counts the times the file is opened.
class OpenCount
{
public:
    explicit OpenCount(const QString &path) : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        ::inotify_add_watch(m_fd, QFile::encodeName(path).constData(), IN_OPEN);
    }
    ~OpenCount() { ::close(m_fd); }

    int opens() const
    {
        int count = 0;
        alignas(inotify_event) char buffer[4096];
        ssize_t got;
        while ((got = ::read(m_fd, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < got;) {
                const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
                count += (event->mask & IN_OPEN) ? 1 : 0;
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        return count;
    }

private:
    int m_fd;
};

} // namespace

TEST(SearchTurns, ATextOverItsBudgetAheadIsReportedAtItsTurnWithoutASecondSearch)
{
    TempCorpus corpus;
    const QString path = corpus.write("lang.txt", QByteArray(40, 'a') + "\nb");
    letFileTimesSettle();
    const OpenCount watch(path);
    ScanRecipe recipe;
    recipe.suchstr = QStringLiteral("(a+)+b");
    SearchTurns turns(recipe, {path}, 1);
    try {
        turnOutcome(turns, 0, path);
        ADD_FAILURE() << "the pattern is over its budget on this text";
    } catch (const QvxError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("zu aufwendig")))
            << error.message().toStdString();
    }
    EXPECT_EQ(watch.opens(), 1);
}

namespace {

// A small ext4 file system with 128-byte inodes, whose file times are whole seconds, mounted
// for the test where the system allows it.
class WholeSecondFileSystem
{
public:
    WholeSecondFileSystem()
    {
        if (::geteuid() != 0 || !m_dir.isValid())
            return;
        const QByteArray image = QFile::encodeName(m_dir.filePath("fs.img"));
        m_mountPoint = m_dir.filePath("mnt");
        const QByteArray mountPoint = QFile::encodeName(m_mountPoint);
        const QByteArray commands = "truncate -s 8M " + image + " && mkfs.ext4 -q -F -I 128 " +
                                    image + " >/dev/null 2>&1 && mkdir " + mountPoint +
                                    " && mount -o loop " + image + " " + mountPoint +
                                    " 2>/dev/null";
        m_mounted = std::system(commands.constData()) == 0;
    }
    ~WholeSecondFileSystem()
    {
        if (m_mounted)
            std::system(("umount " + QFile::encodeName(m_mountPoint)).constData());
    }
    WholeSecondFileSystem(const WholeSecondFileSystem &) = delete;
    WholeSecondFileSystem &operator=(const WholeSecondFileSystem &) = delete;

    bool mounted() const { return m_mounted; }
    QString filePath(const QString &name) const { return m_mountPoint + '/' + name; }

private:
    QTemporaryDir m_dir;
    QString m_mountPoint;
    bool m_mounted = false;
};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.write(bytes);
}

} // namespace

TEST(SearchTurns, ATextRewrittenInTheSecondOfItsReadAheadCountsAnew)
{
    const WholeSecondFileSystem fileSystem;
    if (!fileSystem.mounted())
        GTEST_SKIP() << "no whole-second file system can be mounted here";
    const QString path = fileSystem.filePath("a.txt");
    writeFile(path, "Haus und Hofe und Turm\r\n");
    ScanRecipe recipe;
    recipe.suchstr = QStringLiteral("Haus");
    ReadAhead ahead(recipe, {path}, 1);
    ASSERT_TRUE(ahead.waitFor(0, std::chrono::minutes(1)));
    // The same size, rewritten in place: within the second, no time of the file moves.
    writeFile(path, "Haus und Haus und Haus\r\n");
    TextScan scan(recipe);
    const auto result = scan.atTurn(path, TurnValues{}, ahead.take(0));
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->f, 3);
}
