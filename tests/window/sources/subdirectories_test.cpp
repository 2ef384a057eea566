#include "files/sourcetree.h"
#include "permissionsenforced.h"
#include "sourcelistfixture.h"

#include <QFile>

namespace {

class SubdirectoriesTest : public SourceListTest
{
protected:
    void addTree(const QString &directory)
    {
        dialogs->answerSourceDirectory(directory, true);
        click("Button2");
    }
    static QStringList walked(const QString &directory)
    {
        QStringList paths;
        walkSourceTree(directory, [&](const QString &reached, const QStringList &names) {
            for (const QString &name : names)
                paths << reached + QDir::separator() + name;
            return true;
        });
        return paths;
    }
};

} // namespace

TEST_F(SubdirectoriesTest, ATreeGivesItsTextsDepthFirstAsTheCommandLineToolWalksIt)
{
    for (const char *name : {"b.txt", "A.TXT", "c.doc", ".d.txt", ".versteckt/h.txt", "Ärger/a.txt",
                             "e.txt/inner.txt", "sub/z.txt", "sub/deep/y.txt"})
        corpus.write(QStringLiteral("baum/") + QString::fromUtf8(name), "x");
    const QString top = corpusDirectory(QStringLiteral("baum"));
    ASSERT_TRUE(QFile::link(top + QStringLiteral("/sub"), top + QStringLiteral("/link")));

    addTree(top);

    const QString in = top + QDir::separator();
    EXPECT_EQ(boxTexts(),
              (QStringList{in + "A.TXT", in + "b.txt", in + "Ärger/a.txt", in + "e.txt/inner.txt",
                           in + "sub/z.txt", in + "sub/deep/y.txt"}));
    EXPECT_EQ(boxTexts(), walked(top));
    EXPECT_EQ(label1(), QStringLiteral("Quelldateien (*.txt) [6]"));
    EXPECT_EQ(QDir::currentPath(), top);
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(SubdirectoriesTest, ACancelledWalkAddsNothingAndLosesNothing)
{
    const QStringList before = WindowTest::useTexts({"a"});
    corpus.write(QStringLiteral("baum/a.txt"), "x");
    corpus.write(QStringLiteral("baum/sub/b.txt"), "x");
    const QString directory = QDir::currentPath();
    const QString caption = label1();
    dialogs->answer(1);
    // After the chosen directory's texts were found, before those below it.
    dialogs->cancelProgressAt(2);

    addTree(corpusDirectory(QStringLiteral("baum")));

    EXPECT_EQ(boxTexts(), before);
    EXPECT_EQ(label1(), caption);
    EXPECT_EQ(QDir::currentPath(), directory);
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().icon, MessageIcon::Question);
}

TEST_F(SubdirectoriesTest, AnUnreadableSubdirectoryIsNamedAfterTheOthersWereAdded)
{
    corpus.write(QStringLiteral("baum/a.txt"), "x");
    corpus.write(QStringLiteral("baum/gesperrt/b.txt"), "x");
    corpus.write(QStringLiteral("baum/offen/c.txt"), "x");
    const QString top = corpusDirectory(QStringLiteral("baum"));
    const QString locked = top + QStringLiteral("/gesperrt");
    const auto allow = [&](QFileDevice::Permissions read) {
        QFile::setPermissions(locked, read | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    };
    allow({});
    {
        PermissionsEnforced enforced;
        if (PermissionsEnforced::directoryReadable(locked)) {
            allow(QFileDevice::ReadOwner);
            GTEST_SKIP() << "this system lists a directory without read permission";
        }
        addTree(top);
    }
    allow(QFileDevice::ReadOwner);

    EXPECT_EQ(boxTexts(), (QStringList{top + "/a.txt", top + "/offen/c.txt"}));
    EXPECT_EQ(label1(), QStringLiteral("Quelldateien (*.txt) [2]"));
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().icon, MessageIcon::Error);
    EXPECT_EQ(
        dialogs->shown().front().text,
        QStringLiteral("Nicht alle Unterverzeichnisse können gelesen werden; ihre Texte wurden "
                       "nicht hinzugefügt.\nDas Verzeichnis %1 kann nicht gelesen werden. "
                       "Zugriff verweigert.")
            .arg(locked));
}
