#include "fixtures.h"
#include "floor.h"
#include "pagecache.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/vfs.h>

namespace {

// tmpfs keeps its pages in memory; nothing can put them out of the cache.
bool onTmpfs(const QString &path)
{
    struct statfs status;
    return ::statfs(QFile::encodeName(path).constData(), &status) == 0 &&
           status.f_type == 0x01021994;
}

} // namespace

TEST(PageCache, EvictionEmptiesTheCacheOfTheFilesItIsGiven)
{
    TempCorpus dir;
    const QString first = dir.write("a.txt", QByteArray(1 << 20, 'a'));
    const QString second = dir.write("b.txt", QByteArray(300000, 'b'));
    const QString empty = dir.write("c.txt", QByteArray());
    const std::vector<QByteArray> paths = {QFile::encodeName(first), QFile::encodeName(second),
                                           QFile::encodeName(empty)};
    ASSERT_EQ(readEveryFile(paths, 1 << 20, 1), (1 << 20) + 300000);
    EXPECT_GT(residentShare({first, second, empty}), 0.99);
    EXPECT_EQ(residentShare({dir.filePath("fehlt")}), -1.0);
    EXPECT_EQ(residentShare({empty}), 0.0);

    EXPECT_EQ(adviseOutOfPageCache({first, second, dir.filePath("fehlt")}), 1);
    if (onTmpfs(dir.path()))
        GTEST_SKIP() << "the temporary directory is on tmpfs";
    EXPECT_LT(residentShare({first, second}), 0.02);
}

TEST(Floor, EveryThreadCountReadsEveryByteOnce)
{
    TempCorpus dir;
    std::vector<QByteArray> paths;
    qint64 total = 0;
    for (int i = 0; i < 9; ++i) {
        const QByteArray bytes(1000 * i * i, char('a' + i));
        paths.push_back(QFile::encodeName(dir.write(QStringLiteral("%1.txt").arg(i), bytes)));
        total += bytes.size();
    }
    paths.push_back(QFile::encodeName(dir.filePath("fehlt")));
    for (int threads : {1, 2, 5})
        EXPECT_EQ(readEveryFile(paths, 64000, threads), total) << threads;
}
