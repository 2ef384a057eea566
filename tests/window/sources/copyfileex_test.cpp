#include "files/filecopy.h"
#include "fixtures.h"
#include "scripteddialogs.h"
#include "window/sources/copyfileex.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class CopyFileExTest : public ::testing::Test
{
protected:
    CopyFileExTest() { QDir(corpus.path()).mkdir(QStringLiteral("ziel")); }

    bool copy(const QString &source, const QString &dest, bool renameCheck = false)
    {
        return CopyFileEx(dialogs, nullptr, source, dest, renameCheck);
    }
    QString target(const QString &name) const
    {
        return corpus.filePath(QStringLiteral("ziel/") + name);
    }
    QStringList targetEntries() const
    {
        return QDir(corpus.filePath(QStringLiteral("ziel")))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    QString failure(const QString &source, const QString &dest, const QString &reason) const
    {
        return QStringLiteral("Die Datei %1 konnte nicht nach %2 kopiert werden. %3")
            .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(dest), reason);
    }

    TempCorpus corpus;
    ScriptedDialogs dialogs;
};

} // namespace

TEST_F(CopyFileExTest, CopiesEveryByteAndKeepsTheModificationTime)
{
    // Larger than one read, with bytes that a text copy would change.
    QByteArray bytes("erste\r\nzweite\0\xe4\xff\r", 18);
    bytes += QByteArray(200 * 1024, 'x');
    const QString source = corpus.write(QStringLiteral("quelle/t.txt"), bytes);
    const QDateTime stamp(QDate(2015, 7, 20), QTime(10, 30, 15));
    {
        QFile file(source);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(stamp, QFileDevice::FileModificationTime));
    }

    EXPECT_TRUE(copy(source, target(QStringLiteral("t.txt"))));

    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(fileBytes(target(QStringLiteral("t.txt"))), bytes);
    EXPECT_EQ(QFileInfo(target(QStringLiteral("t.txt"))).lastModified(), stamp);
    EXPECT_EQ(targetEntries(), QStringList{QStringLiteral("t.txt")});
}

TEST_F(CopyFileExTest, CopyGetsThePermissionsOfANewFileUnderTheUsersMask)
{
    const QString source = corpus.write(QStringLiteral("quelle/t.txt"), "text");
    for (const mode_t mask : {mode_t(022), mode_t(077)}) {
        const mode_t previous = ::umask(mask);
        const QString dest = target(QStringLiteral("t%1.txt").arg(mask));
        const bool copied = copy(source, dest);
        ::umask(previous);

        ASSERT_TRUE(copied);
        struct stat status;
        ASSERT_EQ(::stat(QFile::encodeName(dest).constData(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0666 & ~mask) << mask;
    }
}

TEST_F(CopyFileExTest, AsksBeforeReplacingAndKeepsTheOldFileOnNo)
{
    const QString source = corpus.write(QStringLiteral("quelle/t.txt"), "neu");
    const QString dest = corpus.write(QStringLiteral("ziel/t.txt"), "alt");

    dialogs.answer(1);
    EXPECT_FALSE(copy(source, dest));
    EXPECT_EQ(fileBytes(dest), QByteArray("alt"));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const MessageRequest &question = dialogs.shown().front();
    EXPECT_EQ(question.caption, QStringLiteral("Bestätigen"));
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_EQ(question.buttons, (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein")}));
    EXPECT_EQ(question.text,
              QStringLiteral("Die Datei %1 existiert bereits. Soll sie ersetzt werden?")
                  .arg(QDir::toNativeSeparators(dest)));

    dialogs.answer(0);
    EXPECT_TRUE(copy(source, dest));
    EXPECT_EQ(fileBytes(dest), QByteArray("neu"));
    EXPECT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(targetEntries(), QStringList{QStringLiteral("t.txt")});
}

TEST_F(CopyFileExTest, RenameCheckTakesTheNextFreeNameWithoutAsking)
{
    const QString source = corpus.write(QStringLiteral("quelle/t.txt"), "neu");
    corpus.write(QStringLiteral("ziel/t.txt"), "alt");

    EXPECT_TRUE(copy(source, target(QStringLiteral("t.txt")), true));
    EXPECT_TRUE(copy(source, target(QStringLiteral("t.txt")), true));

    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(fileBytes(target(QStringLiteral("t.txt"))), QByteArray("alt"));
    EXPECT_EQ(fileBytes(target(QStringLiteral("t (2).txt"))), QByteArray("neu"));
    EXPECT_EQ(fileBytes(target(QStringLiteral("t (3).txt"))), QByteArray("neu"));
    EXPECT_EQ(targetEntries().size(), 3);
}

TEST_F(CopyFileExTest, FreeNamesForUnusualFileNames)
{
    for (const char *name : {"README", ".txt", "a.b.txt"})
        corpus.write(QStringLiteral("ziel/") + QLatin1String(name), "x");
    EXPECT_EQ(freeFileName(target(QStringLiteral("README"))), target(QStringLiteral("README (2)")));
    EXPECT_EQ(freeFileName(target(QStringLiteral(".txt"))), target(QStringLiteral(".txt (2)")));
    EXPECT_EQ(freeFileName(target(QStringLiteral("a.b.txt"))),
              target(QStringLiteral("a.b (2).txt")));
    EXPECT_EQ(freeFileName(target(QStringLiteral("frei.txt"))), target(QStringLiteral("frei.txt")));
}

TEST_F(CopyFileExTest, FailedCopyIsReportedAndCreatesNothing)
{
    const QString directory = corpus.filePath(QStringLiteral("quelle"));
    QDir().mkpath(directory);
    const QString missing = corpus.filePath(QStringLiteral("quelle/weg.txt"));
    const QString source = corpus.write(QStringLiteral("quelle/t.txt"), "neu");
    const QString noDirectory = corpus.filePath(QStringLiteral("fehlt/t.txt"));

    EXPECT_FALSE(copy(directory, target(QStringLiteral("t.txt"))));
    EXPECT_FALSE(copy(missing, target(QStringLiteral("weg.txt"))));
    EXPECT_FALSE(copy(source, noDirectory));

    const std::vector<MessageRequest> &shown = dialogs.shown();
    ASSERT_EQ(shown.size(), 3u);
    for (const MessageRequest &box : shown) {
        EXPECT_EQ(box.caption, QStringLiteral("Fehler"));
        EXPECT_EQ(box.icon, MessageIcon::Error);
        EXPECT_EQ(box.buttons,
                  (QStringList{QStringLiteral("Weiter"), QStringLiteral("Abbrechen")}));
    }
    EXPECT_EQ(shown[0].text, failure(directory, target(QStringLiteral("t.txt")),
                                     QStringLiteral("Der angegebene Pfad ist ein Verzeichnis.")));
    EXPECT_EQ(shown[1].text,
              failure(missing, target(QStringLiteral("weg.txt")),
                      QStringLiteral("Das System kann die angegebene Datei nicht finden.")));
    EXPECT_EQ(shown[2].text,
              failure(source, noDirectory, QStringLiteral("Das Zielverzeichnis existiert nicht.")));
    EXPECT_TRUE(targetEntries().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(corpus.filePath(QStringLiteral("fehlt"))));
}

#ifdef Q_OS_LINUX
// A pipe without a writer would hold the copy for ever; a device would never end.
TEST_F(CopyFileExTest, SourceThatIsNoRegularFileLeavesTheOldFileAndNoTemporaryFile)
{
    const QString pipe = corpus.filePath(QStringLiteral("rohr.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString dest = corpus.write(QStringLiteral("ziel/t.txt"), "alt");

    dialogs.answer(0);
    EXPECT_FALSE(copy(pipe, dest));
    dialogs.answer(0);
    EXPECT_FALSE(copy(QStringLiteral("/dev/zero"), dest));

    ASSERT_EQ(dialogs.shown().size(), 4u);
    const QString reason = QStringLiteral("Die Datei ist keine gewöhnliche Datei, sondern ein "
                                          "Gerät, eine Pipe oder ein Socket.");
    EXPECT_EQ(dialogs.shown()[1].text, failure(pipe, dest, reason));
    EXPECT_EQ(dialogs.shown()[3].text, failure(QStringLiteral("/dev/zero"), dest, reason));
    EXPECT_EQ(fileBytes(dest), QByteArray("alt"));
    EXPECT_EQ(targetEntries(), QStringList{QStringLiteral("t.txt")});
}
#endif
