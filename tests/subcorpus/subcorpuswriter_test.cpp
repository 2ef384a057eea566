#include "files/targetcreation.h"
#include "fixtures.h"
#include "subcorpus/subcorpuswriter.h"
#include "text/nativepath.h"

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

// The window creates the target, then copies into it while it is the one it created; a name that
// is not UTF-8 must stay that one directory through every step.
TEST(SubcorpusWriter, ATargetNamedInLatin1IsCreatedKnownAsItsOwnAndFilled)
{
    TempCorpus dir;
    const QString text = dir.write(QStringLiteral("t0.txt"), "Heute");
    const QByteArray native = QFile::encodeName(dir.path()) + "/Ziel\xe4";
    const QString target = pathFromNative(native);

    EXPECT_EQ(createTargetDirectory(target), std::nullopt);
    struct stat status;
    ASSERT_EQ(::stat(native.constData(), &status), 0);
    EXPECT_TRUE(S_ISDIR(status.st_mode));
    EXPECT_EQ(existingTargetRefusal(target, canonicalTarget(target)), std::nullopt);
    EXPECT_NE(existingTargetRefusal(target), std::nullopt);
    EXPECT_EQ(copyTextInto(target, text), std::nullopt);
    ASSERT_EQ(::stat((native + "/t0.txt").constData(), &status), 0);
    EXPECT_EQ(status.st_size, 5);

    ::unlink((native + "/t0.txt").constData());
    ::rmdir(native.constData());
}
