#include "filesizelimit.h"
#include "resultlistfixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace {

const QString exportFailed = QStringLiteral(
    "Beim Abspeichern der Daten ist ein ungeklärter Fehler entstanden (Zielverzeichis korrekt?). "
    "Vorgang wurde abgebrochen.");

class ExportTest : public ResultListTest
{
protected:
    void exportTo(std::optional<QString> path)
    {
        dialogs->answerFileDialog(std::move(path));
        trigger("Exportieren1");
    }

    void expectSuccessMessage(const QString &path)
    {
        ASSERT_EQ(dialogs->shown().size(), 1u);
        const MessageRequest &box = dialogs->shown().front();
        EXPECT_EQ(box.caption, QCoreApplication::applicationName());
        EXPECT_EQ(box.icon, MessageIcon::None);
        EXPECT_EQ(box.buttons, QStringList{QStringLiteral("OK")});
        EXPECT_EQ(box.text,
                  QStringLiteral("Die Daten wurden unter\r\n%1\r\nabgespeichert.").arg(path));
    }
};

} // namespace

TEST_F(ExportTest, WritesTheCheckedRowsInTheListsOrderAsWindows1252)
{
    addRow(QStringLiteral("/k/b.txt"), 2, 0.25, 1);
    addRow(QStringLiteral("/k/Łódź.txt"), 12, 0.5, 3);
    addRow(QStringLiteral("/k/d.txt"), 5, 2, 0);
    addRow(QStringLiteral("/k/c.txt"), 7, 1.5, -1);
    setChecked(2, false);
    trigger("NachFrequenzfsortieren1");

    const QString path = corpus.filePath(QStringLiteral("Ausgabe-Ł.txt"));
    exportTo(path);

    EXPECT_EQ(fileBytes(path), QByteArray("/k/?\xF3"
                                          "d?.txt\t12\t0,5\t3\t15\r\n"
                                          "/k/c.txt\t7\t1,5\t-1\t-1\r\n"
                                          "/k/b.txt\t2\t0,25\t1\t3\r\n"));
    // The file is complete; a note after the success message names the path that lost letters.
    ASSERT_EQ(dialogs->shown().size(), 2u);
    EXPECT_EQ(dialogs->shown()[0].text,
              QStringLiteral("Die Daten wurden unter\r\n%1\r\nabgespeichert.").arg(path));
    EXPECT_EQ(dialogs->shown()[1].text,
              QStringLiteral("Achtung: Dieser Pfad enthält Zeichen, die es in Windows-1252 nicht "
                             "gibt. In der Datei steht an deren Stelle ein „?“, so dass der "
                             "Eintrag nicht zu seinem Text führt:\r\n/k/Łódź.txt"));
    EXPECT_EQ(dialogs->shown()[1].caption, QCoreApplication::applicationName());
    EXPECT_EQ(rowCount(), 4);
    EXPECT_FALSE(rowChecked(2));
}

TEST_F(ExportTest, NoCheckedRowGivesAnEmptyFileAndTheMessage)
{
    addRow(QStringLiteral("/k/a.txt"), 1);
    setChecked(0, false);
    const QString path = corpus.filePath(QStringLiteral("leer.txt"));
    exportTo(path);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(fileBytes(path), QByteArray());
    expectSuccessMessage(path);
}

TEST_F(ExportTest, AnEmptyListShowsNothing)
{
    dialogs->answerFileDialog(corpus.filePath(QStringLiteral("nie.txt")));
    trigger("Exportieren1");
    EXPECT_TRUE(dialogs->fileDialogRequests().empty());
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_FALSE(QFile::exists(corpus.filePath(QStringLiteral("nie.txt"))));
}

TEST_F(ExportTest, CancellingWritesAndShowsNothing)
{
    addRow(QStringLiteral("/k/a.txt"), 1);
    exportTo(std::nullopt);
    EXPECT_EQ(dialogs->fileDialogRequests().size(), 1u);
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_TRUE(QDir(corpus.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(ExportTest, TheDialogProposesTheLastConfirmedPath)
{
    addRow(QStringLiteral("/k/a.txt"), 1);
    // A name typed without an extension gets ".txt".
    exportTo(corpus.filePath(QStringLiteral("liste")));
    const QString written = corpus.filePath(QStringLiteral("liste.txt"));
    EXPECT_EQ(fileBytes(written), QByteArray("/k/a.txt\t1\t-1\t-1\t-1\r\n"));
    expectSuccessMessage(written);
    exportTo(std::nullopt);

    const auto &requests = dialogs->fileDialogRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0][1], QStringLiteral("Dateiliste speichern..."));
    EXPECT_EQ(QFileInfo(requests[0][2]).fileName(),
              QStringLiteral("QVX-Subkorpus-Filelist-Export.txt"));
    EXPECT_EQ(requests[1][1], QStringLiteral("Dateiliste speichern..."));
    EXPECT_EQ(requests[1][2], written);
}

TEST_F(ExportTest, TheDialogAsksForATxtFileAndNeverAboutOverwriting)
{
    auto *dialog = find<QFileDialog>("savetxtdlg");
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("*.txt")});
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("txt"));
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_TRUE(dialog->isSizeGripEnabled());

    addRow(QStringLiteral("/k/a.txt"), 1);
    const QString path = corpus.write(QStringLiteral("alt.txt"), "alter, längerer Inhalt\r\n");
    exportTo(path);
    EXPECT_EQ(fileBytes(path), QByteArray("/k/a.txt\t1\t-1\t-1\t-1\r\n"));
    expectSuccessMessage(path);
}

TEST_F(ExportTest, TheDialogRefusesAFileInAMissingDirectoryAndStaysOpen)
{
    addRow(QStringLiteral("/k/a.txt"), 1);
    const QString missing = corpus.filePath(QStringLiteral("fehlt"));
    const QString good = corpus.filePath(QStringLiteral("export.txt"));
    dialogs->answerFileDialog(missing + QStringLiteral("/export.txt"));
    dialogs->answerFileDialog(good);
    trigger("Exportieren1");

    ASSERT_EQ(dialogs->shown().size(), 2u);
    const MessageRequest &refusal = dialogs->shown().front();
    EXPECT_EQ(refusal.caption, QStringLiteral("Dateiliste speichern..."));
    EXPECT_EQ(refusal.icon, MessageIcon::Error);
    EXPECT_EQ(refusal.text, QStringLiteral("%1\nDer Pfad existiert nicht.\nÜberprüfen Sie, ob "
                                           "der richtige Pfad angegeben wurde.")
                                .arg(QDir::toNativeSeparators(missing)));
    // The same dialog took the second path.
    EXPECT_EQ(dialogs->fileDialogRequests().size(), 1u);
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(fileBytes(good), QByteArray("/k/a.txt\t1\t-1\t-1\t-1\r\n"));
    EXPECT_EQ(dialogs->shown().back().text,
              QStringLiteral("Die Daten wurden unter\r\n%1\r\nabgespeichert.").arg(good));
}

TEST_F(ExportTest, AWriteThatFailsKeepsTheOldFileAndShowsTheErrorBox)
{
    for (int i = 0; i < 40; ++i)
        addRow(QStringLiteral("/korpus/ein-recht-langer-dateiname-%1.txt").arg(i), i);
    const QByteArray old("die alte Liste\r\n");
    const QString path = corpus.write(QStringLiteral("export.txt"), old);
    {
        FileSizeLimit limit(1000);
        if (!limit.active())
            GTEST_SKIP() << "no file size limit on this platform";
        exportTo(path);
    }
    expectOnlyErrorBox(exportFailed);
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_EQ(QDir(corpus.path()).entryList(QDir::Files), QStringList{"export.txt"});
}
