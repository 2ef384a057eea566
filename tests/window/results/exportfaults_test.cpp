#include "errors/qvxerror.h"
#include "files/textfilewriter.h"
#include "permissionsenforced.h"
#include "resultlistfixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace {

const QString exportFailed = QStringLiteral(
    "Beim Abspeichern der Daten ist ein ungeklärter Fehler entstanden (Zielverzeichis korrekt?). "
    "Vorgang wurde abgebrochen.");

// Exports to places that cannot take the table: the old content there must survive, and no
// temporary file may stay behind.
class ExportFaultsTest : public ResultListTest
{
protected:
    void exportTo(const QString &path)
    {
        dialogs->answerFileDialog(path);
        trigger("Exportieren1");
    }
    static QStringList entries(const QString &directory)
    {
        return QDir(directory).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }
    static QString writerError(const QString &path)
    {
        try {
            writeWindowsLines(path, {QStringLiteral("Zeile")});
        } catch (const QvxError &error) {
            return error.message();
        }
        return QStringLiteral("<kein Fehler>");
    }
};

#ifdef Q_OS_UNIX
mode_t nodeType(const QString &path)
{
    struct stat status
    {
    };
    if (lstat(QFile::encodeName(path).constData(), &status) != 0)
        return 0;
    return status.st_mode & S_IFMT;
}
#endif

} // namespace

#ifdef Q_OS_UNIX
// Writing through a temporary file and renaming it would replace a device or a pipe by a plain
// file; as root that even succeeds on /dev/full. Such targets are refused before anything is
// written, so the node stays what it was.
TEST_F(ExportFaultsTest, ADeviceOrPipeIsRefusedAndStaysWhatItWas)
{
    addRow(QStringLiteral("/k/a.txt"), 1);
    const QString pipe = corpus.filePath(QStringLiteral("rohr.txt"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    const QString link = corpus.filePath(QStringLiteral("verweis.txt"));
    ASSERT_TRUE(QFile::link(pipe, link));
    const QStringList before = entries(corpus.path());

    // A private pipe first: only when it is refused may the test go near the real /dev/full.
    ASSERT_EQ(writerError(pipe), QStringLiteral("Die Datei %1 konnte nicht geschrieben werden. Das "
                                                "Ziel ist keine gewöhnliche Datei")
                                     .arg(pipe));
    exportTo(pipe);
    exportTo(link);
    ASSERT_EQ(nodeType(pipe), S_IFIFO);
    ASSERT_EQ(nodeType(link), S_IFLNK);
    ASSERT_EQ(entries(corpus.path()), before);
    ASSERT_EQ(dialogs->shown().size(), 2u);
    for (const MessageRequest &box : dialogs->shown())
        EXPECT_EQ(box.text, exportFailed);

    const QString full = QStringLiteral("/dev/full");
    if (nodeType(full) != S_IFCHR)
        GTEST_SKIP() << "this system has no /dev/full";
    // The save dialog would add ".txt" to the name itself, so a link leads there.
    const QString toFull = corpus.filePath(QStringLiteral("voll.txt"));
    ASSERT_TRUE(QFile::link(full, toFull));
    dialogs->clearShown();
    exportTo(toFull);
    expectOnlyErrorBox(exportFailed);
    EXPECT_EQ(writerError(full), QStringLiteral("Die Datei /dev/full konnte nicht geschrieben "
                                                "werden. Das Ziel ist keine gewöhnliche Datei"));
    EXPECT_EQ(nodeType(full), S_IFCHR);
    EXPECT_EQ(nodeType(toFull), S_IFLNK);
    EXPECT_EQ(QDir(QStringLiteral("/dev"))
                  .entryList({QStringLiteral("full*")}, QDir::Files | QDir::System),
              QStringList{QStringLiteral("full")});
}
#endif

// A directory without write permission takes no new file, and an older file there keeps its
// content: the new table would have to be written beside it first.
TEST_F(ExportFaultsTest, AReadOnlyDirectoryKeepsItsOldFile)
{
    addRow(QStringLiteral("/k/a.txt"), 1);
    const QByteArray old("die alte Liste\r\n");
    const QString oldFile = corpus.write(QStringLiteral("nur lesen/export.txt"), old);
    const QString directory = corpus.filePath(QStringLiteral("nur lesen"));
    const QString newFile = corpus.filePath(QStringLiteral("nur lesen/neu.txt"));
    const QFileDevice::Permissions readOnly =
        QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(directory, readOnly));
    {
        PermissionsEnforced enforced;
        if (QFile(newFile).open(QIODevice::WriteOnly)) {
            QFile::remove(newFile);
            QFile::setPermissions(directory, readOnly | QFileDevice::WriteOwner);
            GTEST_SKIP() << "this system writes into a directory without write permission";
        }
        exportTo(oldFile);
        exportTo(newFile);
    }
    ASSERT_TRUE(QFile::setPermissions(directory, readOnly | QFileDevice::WriteOwner));

    ASSERT_EQ(dialogs->shown().size(), 2u);
    for (const MessageRequest &box : dialogs->shown()) {
        EXPECT_EQ(box.text, exportFailed);
        EXPECT_EQ(box.icon, MessageIcon::Error);
    }
    EXPECT_EQ(fileBytes(oldFile), old);
    EXPECT_EQ(entries(directory), QStringList{QStringLiteral("export.txt")});
    EXPECT_EQ(rowCount(), 1);
}

// Blanks and umlauts are written as they are; a path that Windows-1252 cannot hold gets "?" in
// the file, as the code page demands, and the note says which entries no longer lead anywhere.
TEST_F(ExportFaultsTest, PathsOutsideTheCodePageAreNamedInANoteAfterTheCompleteFile)
{
    addRow(QStringLiteral("/k/mit Leerzeichen/Müßiggang.txt"), 1);
    QStringList foreign;
    for (int i = 0; i < 12; ++i) {
        foreign << QStringLiteral("/k/東京 %1.txt").arg(i, 2, 10, QLatin1Char('0'));
        addRow(foreign.back(), 1);
    }
    const QString path = corpus.filePath(QStringLiteral("Tabelle.txt"));
    exportTo(path);

    const QByteArray bytes = fileBytes(path);
    EXPECT_TRUE(bytes.startsWith("/k/mit Leerzeichen/M\xFC\xDFiggang.txt\t1\t"));
    EXPECT_TRUE(bytes.contains("/k/?? 00.txt\t1\t"));
    EXPECT_TRUE(bytes.endsWith("/k/?? 11.txt\t1\t-1\t-1\t-1\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 13);

    ASSERT_EQ(dialogs->shown().size(), 2u);
    EXPECT_EQ(dialogs->shown()[0].text,
              QStringLiteral("Die Daten wurden unter\r\n%1\r\nabgespeichert.").arg(path));
    const MessageRequest &note = dialogs->shown()[1];
    EXPECT_EQ(note.caption, QCoreApplication::applicationName());
    EXPECT_EQ(note.icon, MessageIcon::None);
    const QStringList noteLines = note.text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(noteLines.size(), 12);
    EXPECT_EQ(noteLines[0], QStringLiteral("Achtung: Diese 12 Pfade enthalten Zeichen, die es in "
                                           "Windows-1252 nicht gibt. In der Datei steht an deren "
                                           "Stelle ein „?“, so dass die Einträge nicht zu ihren "
                                           "Texten führen:"));
    EXPECT_EQ(noteLines.mid(1, 10), foreign.mid(0, 10));
    EXPECT_EQ(noteLines[11], QStringLiteral("… und 2 weitere"));
}
