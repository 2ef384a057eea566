#include "permissionsenforced.h"
#include "sourcelistfixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace {

const QString resetQuestion =
    QStringLiteral("Sollen die bisherige Liste an Quelldateien zurückgesetzt werden?");
const QString createQuestion =
    QStringLiteral("Das angegebene Verzeichnis ist nicht vorhanden. Soll es erstellt werden?");

class Button2Test : public SourceListTest
{
protected:
    // The example directory: two matching files and four entries that must stay out.
    QString exampleDirectory()
    {
        corpus.write(QStringLiteral("quelle/b.txt"), "b");
        corpus.write(QStringLiteral("quelle/A.TXT"), "a");
        corpus.write(QStringLiteral("quelle/c.doc"), "c");
        corpus.write(QStringLiteral("quelle/.d.txt"), "d");
        corpus.write(QStringLiteral("quelle/e.txt/inner.txt"), "e");
        return corpusDirectory(QStringLiteral("quelle"));
    }
    QString threeTexts()
    {
        for (const char *name : {"z.txt", "x.txt", "y.txt"})
            corpus.write(QStringLiteral("drei/") + QLatin1String(name), "t");
        return corpusDirectory(QStringLiteral("drei"));
    }
    void addDirectory(const QString &directory)
    {
        dialogs->answerSourceDirectory(directory);
        click("Button2");
    }
    static QString in(const QString &directory, const char *name)
    {
        return directory + QDir::separator() + QLatin1String(name);
    }
};

} // namespace

TEST_F(Button2Test, ExampleDirectoryGivesUpperCaseTxtThenLowerCaseWithoutAQuestion)
{
    const QString directory = exampleDirectory();
    addDirectory(directory);

    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(dialogs->sourceDirectoryRequests(), 1);
    EXPECT_EQ(boxTexts(), (QStringList{in(directory, "A.TXT"), in(directory, "b.txt")}));
    EXPECT_EQ(label1(), QStringLiteral("Quelldateien (*.txt) [2]"));
    EXPECT_EQ(QDir::currentPath(), directory);
    EXPECT_TRUE(find<QListWidget>("box")->updatesEnabled());
}

TEST_F(Button2Test, NeinKeepsTheListAndAppendsBelowIt)
{
    const QString example = exampleDirectory();
    const QString three = threeTexts();
    addDirectory(example);
    dialogs->answer(1);
    addDirectory(three);

    ASSERT_EQ(dialogs->shown().size(), 1u);
    const MessageRequest &question = dialogs->shown().front();
    EXPECT_EQ(question.caption, QStringLiteral("Bestätigen"));
    EXPECT_EQ(question.text, resetQuestion);
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_EQ(question.buttons, (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein")}));
    EXPECT_EQ(boxTexts(),
              (QStringList{in(example, "A.TXT"), in(example, "b.txt"), in(three, "x.txt"),
                           in(three, "y.txt"), in(three, "z.txt")}));
    EXPECT_EQ(label1(), QStringLiteral("Quelldateien (*.txt) [5]"));
}

TEST_F(Button2Test, JaReplacesTheList)
{
    addDirectory(exampleDirectory());
    const QString three = threeTexts();
    dialogs->answer(0);
    addDirectory(three);
    EXPECT_EQ(boxTexts(),
              (QStringList{in(three, "x.txt"), in(three, "y.txt"), in(three, "z.txt")}));
    EXPECT_EQ(label1(), QStringLiteral("Quelldateien (*.txt) [3]"));
}

TEST_F(Button2Test, SameDirectoryTwiceDoublesTheList)
{
    const QString directory = exampleDirectory();
    addDirectory(directory);
    dialogs->answer(1);
    addDirectory(directory);
    EXPECT_EQ(boxTexts(), (QStringList{in(directory, "A.TXT"), in(directory, "b.txt"),
                                       in(directory, "A.TXT"), in(directory, "b.txt")}));
    EXPECT_EQ(label1(), QStringLiteral("Quelldateien (*.txt) [4]"));
}

TEST_F(Button2Test, JaThenCancelLeavesTheListEmptyAndTheCaptionAsItWas)
{
    addDirectory(exampleDirectory());
    const QString before = QDir::currentPath();
    dialogs->answer(0);
    addDirectory(QString());
    EXPECT_TRUE(boxTexts().isEmpty());
    EXPECT_EQ(label1(), QStringLiteral("Quelldateien (*.txt) [2]"));
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST_F(Button2Test, CancelOnAnEmptyListChangesNothing)
{
    addDirectory(QString());
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_TRUE(boxTexts().isEmpty());
    EXPECT_EQ(label1(), QStringLiteral("Quelldateien (*.txt)"));
}

TEST_F(Button2Test, DirectoryWithoutTextsStillRewritesTheCaption)
{
    corpus.write(QStringLiteral("leer/notiz.doc"), "x");
    addDirectory(corpusDirectory(QStringLiteral("leer")));
    EXPECT_TRUE(boxTexts().isEmpty());
    EXPECT_EQ(label1(), QStringLiteral("Quelldateien (*.txt) [0]"));
}

TEST_F(Button2Test, RelativeNameIsTakenFromTheWorkingDirectoryAndGivesAbsolutePaths)
{
    const QString directory = exampleDirectory();
    ASSERT_TRUE(QDir::setCurrent(corpus.path()));
    addDirectory(QStringLiteral("quelle/."));
    EXPECT_EQ(boxTexts(), (QStringList{in(directory, "A.TXT"), in(directory, "b.txt")}));
    EXPECT_EQ(QDir::currentPath(), directory);

    // The chooser opens in the directory chosen last, so a name relative to it works next.
    corpus.write(QStringLiteral("quelle/unten/u.txt"), "u");
    dialogs->answer(0);
    addDirectory(QStringLiteral("unten"));
    EXPECT_EQ(boxTexts(), QStringList{in(directory + QStringLiteral("/unten"), "u.txt")});
}

TEST_F(Button2Test, NeinToTheCreateQuestionReturnsToTheSameChooser)
{
    const QString missing = corpusDirectory(QStringLiteral("fehlt"));
    const QString directory = exampleDirectory();
    dialogs->answerSourceDirectory(missing);
    dialogs->answer(1);
    addDirectory(directory);

    EXPECT_EQ(dialogs->sourceDirectoryRequests(), 1);
    ASSERT_EQ(dialogs->shown().size(), 1u);
    const MessageRequest &question = dialogs->shown().front();
    EXPECT_EQ(question.text, createQuestion);
    EXPECT_EQ(question.buttons, (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein")}));
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(boxTexts(), (QStringList{in(directory, "A.TXT"), in(directory, "b.txt")}));
}

TEST_F(Button2Test, JaToTheCreateQuestionCreatesTheDirectoryWithItsParentsAndAddsNothing)
{
    addDirectory(exampleDirectory());
    const QStringList before = boxTexts();
    const QString missing = corpusDirectory(QStringLiteral("neu/tiefer"));
    dialogs->answer(1);
    dialogs->answer(0);
    addDirectory(missing);

    ASSERT_EQ(dialogs->shown().size(), 2u);
    EXPECT_EQ(dialogs->shown().back().text, createQuestion);
    EXPECT_TRUE(QFileInfo(missing).isDir());
    EXPECT_EQ(boxTexts(), before);
    EXPECT_EQ(label1(), QStringLiteral("Quelldateien (*.txt) [2]"));
    EXPECT_EQ(QDir::currentPath(), missing);
}

TEST_F(Button2Test, NameThatCannotBeCreatedIsRefusedWithItsReasonAndWithoutTheQuestion)
{
    const QString file = corpus.write(QStringLiteral("datei"), "x");
    QString tooLong = corpus.path();
    while (tooLong.size() <= 4096)
        tooLong += QStringLiteral("/verzeichnis");
    const QString cases[][2] = {
        {file + QStringLiteral("/unter"),
         QStringLiteral("Das System kann den angegebenen Pfad nicht finden")},
        {tooLong, QStringLiteral("Der Dateiname oder die Erweiterung ist zu lang")},
    };
    for (const auto &[impossible, reason] : cases) {
        dialogs->clearShown();
        addDirectory(impossible);

        ASSERT_EQ(dialogs->shown().size(), 1u);
        const MessageRequest &error = dialogs->shown().back();
        EXPECT_EQ(error.text, QStringLiteral("Das Verzeichnis %1 kann nicht geöffnet werden. %2.")
                                  .arg(QDir::toNativeSeparators(impossible), reason));
        EXPECT_EQ(error.caption, QCoreApplication::applicationName());
        EXPECT_EQ(error.icon, MessageIcon::Error);
        EXPECT_TRUE(boxTexts().isEmpty());
        EXPECT_EQ(label1(), QStringLiteral("Quelldateien (*.txt)"));
    }
}

TEST_F(Button2Test, NameThatIsNoDirectoryShowsAnErrorAfterAResetAlreadyMade)
{
    addDirectory(exampleDirectory());
    const QString before = QDir::currentPath();
    const QString file = corpus.write(QStringLiteral("a.txt"), "x");

    dialogs->answer(1);
    addDirectory(file);
    ASSERT_EQ(dialogs->shown().size(), 2u);
    const MessageRequest &error = dialogs->shown().back();
    EXPECT_EQ(error.text,
              QStringLiteral("%1 ist kein Verzeichnis.").arg(QDir::toNativeSeparators(file)));
    EXPECT_EQ(error.icon, MessageIcon::Error);
    EXPECT_EQ(boxTexts().size(), 2);

    dialogs->answer(0);
    addDirectory(file);
    EXPECT_TRUE(boxTexts().isEmpty());
    EXPECT_EQ(label1(), QStringLiteral("Quelldateien (*.txt) [2]"));
    EXPECT_EQ(QDir::currentPath(), before);
    EXPECT_TRUE(find<QListWidget>("box")->updatesEnabled());
}

TEST_F(Button2Test, UnreadableDirectoryShowsAnErrorAndLeavesTheListAlone)
{
    const QString locked = corpusDirectory(QStringLiteral("gesperrt"));
    corpus.write(QStringLiteral("gesperrt/a.txt"), "x");
    QFile::setPermissions(locked, QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString before = QDir::currentPath();
    {
        PermissionsEnforced enforced;
        if (PermissionsEnforced::directoryReadable(locked)) {
            QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
            GTEST_SKIP() << "this system lists a directory without read permission";
        }
        addDirectory(locked);
    }
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().icon, MessageIcon::Error);
    EXPECT_TRUE(boxTexts().isEmpty());
    EXPECT_EQ(label1(), QStringLiteral("Quelldateien (*.txt)"));
    EXPECT_EQ(QDir::currentPath(), before);
}
