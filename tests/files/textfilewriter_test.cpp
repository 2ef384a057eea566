#include "errors/qvxerror.h"
#include "files/textfilewriter.h"
#include "filesizelimit.h"
#include "fixtures.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(TextFileWriter, WritesWindows1252WithCrLfAfterEveryLine)
{
    TempCorpus dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    writeWindowsLines(path, {QStringLiteral("Äpfel\tß €"), QString(), QStringLiteral("Łódź")});
    EXPECT_EQ(fileBytes(path), QByteArray("\xC4pfel\t\xDF \x80\r\n\r\n?\xF3"
                                          "d?\r\n"));
}

TEST(TextFileWriter, NoLinesGiveAnEmptyFileThatReplacesTheOldOne)
{
    TempCorpus dir;
    const QString path = dir.write(QStringLiteral("out.txt"), "alter Inhalt");
    writeWindowsLines(path, {});
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(fileBytes(path), QByteArray());
}

TEST(TextFileWriter, AMissingDirectoryRaisesAGermanErrorAndCreatesNothing)
{
    TempCorpus dir;
    const QString path = dir.filePath(QStringLiteral("fehlt/out.txt"));
    try {
        writeWindowsLines(path, {QStringLiteral("a")});
        FAIL() << "a file in a missing directory cannot be written";
    } catch (const QvxError &error) {
        EXPECT_TRUE(error.message().startsWith(
            QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.").arg(path)))
            << error.message().toStdString();
    }
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("fehlt"))).exists());
}

TEST(TextFileWriter, AWriteThatFailsHalfWayLeavesTheOldFileIntact)
{
    TempCorpus dir;
    const QString path = dir.write(QStringLiteral("out.txt"), "alter Inhalt\r\n");
    const QStringList lines(200, QStringLiteral("eine Zeile, die den Rahmen sprengt"));
    {
        FileSizeLimit limit(1000);
        if (!limit.active())
            GTEST_SKIP() << "no file size limit on this platform";
        EXPECT_THROW(writeWindowsLines(path, lines), QvxError);
    }
    EXPECT_EQ(fileBytes(path), QByteArray("alter Inhalt\r\n"));
    // Nothing half-written is left beside it either.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.txt")});
}
