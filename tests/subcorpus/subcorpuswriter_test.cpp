#include "fixtures.h"
#include "subcorpus/subcorpuswriter.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Makes directory the working directory while it lives.
class WorkingDirectoryScope
{
public:
    explicit WorkingDirectoryScope(const QByteArray &directory) : m_previous(QDir::currentPath())
    {
        EXPECT_EQ(::chdir(directory.constData()), 0);
    }
    ~WorkingDirectoryScope() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

} // namespace

TEST(SubcorpusWriter, AnEmptyTargetIsRemovedOneWithAFileStays)
{
    TempCorpus dir;
    const QString empty = dir.filePath(QStringLiteral("leer"));
    ASSERT_TRUE(QDir().mkdir(empty));
    removeEmptyTarget(empty);
    EXPECT_FALSE(QFileInfo::exists(empty));

    const QString copied = dir.write(QStringLiteral("ziel/t0.txt"), "Heute");
    removeEmptyTarget(dir.filePath(QStringLiteral("ziel")));
    EXPECT_EQ(fileBytes(copied), "Heute");
}

TEST(SubcorpusWriter, TheSettingsFileListsRelativeTextsByFullPathWithTheDirectorysBytes)
{
    TempCorpus dir;
    // "März" in Latin-1, a name that is no UTF-8.
    const QByteArray here = QFile::encodeName(dir.path()) + "/M\xe4rz";
    ASSERT_EQ(::mkdir(here.constData(), 0777), 0);
    const QString target = dir.filePath(QStringLiteral("ziel"));
    ASSERT_TRUE(QDir().mkdir(target));
    {
        const WorkingDirectoryScope scope(here);
        writeSettingsFile(target, 0, {QStringLiteral("./a/../t0.txt")});
    }
    const QByteArray written = fileBytes(target + QStringLiteral("/Subkorpus-for-antconc341w.ant"));
    EXPECT_TRUE(written.endsWith("\r\n\r\nFILE " + here + "/t0.txt\r\n")) << written.toStdString();
    // QTemporaryDir cannot remove what it cannot name.
    ::rmdir(here.constData());
}
