#include "filesizelimit.h"
#include "targetrefusals.h"
#include "windowfixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>

namespace {

struct Version
{
    int index;
    const char *templateName;
    const char *fileName;
};

const Version versions[] = {
    {0, "str341w", "Subkorpus-for-antconc341w.ant"},
    {1, "str324w", "Subkorpus-for-antconc324w.ant"},
    {2, "str324m", "Subkorpus-for-antconc324m.ant"},
};

// The template as the settings file must carry it: every stored line ended by CR LF.
QByteArray templateBytes(const char *name)
{
    QByteArray bytes = fileBytes(QStringLiteral(":/antconc/%1.txt").arg(QLatin1String(name)));
    return bytes.replace("\n", "\r\n");
}

class SettingsExportTest : public WindowTest
{
protected:
    void addRow(const QString &caption, bool checked)
    {
        auto *item = new QTreeWidgetItem(find<QTreeWidget>("files"));
        item->setText(0, caption);
        for (int column = 1; column < 5; ++column)
            item->setText(column, QStringLiteral("-1"));
        item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    }

    // Exports into a new target directory and returns its path.
    QString exportTo(const QString &targetName, int version)
    {
        const QString target = corpus.filePath(targetName);
        setText("zielverz", target);
        find<QComboBox>("antlist")->setCurrentIndex(version);
        click("Button5");
        return target;
    }

    QStringList entries(const QString &directory) const
    {
        return QDir(directory).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QProgressBar *bar2() const { return find<QProgressBar>("bar2"); }
};

} // namespace

TEST_F(SettingsExportTest, WithoutCheckedRowsWritesTheTemplateAndOneEmptyLine)
{
    addRow(corpus.filePath(QStringLiteral("a.txt")), false);
    addRow(corpus.filePath(QStringLiteral("b.txt")), false);
    bar2()->setRange(0, 7);

    for (const Version &version : versions) {
        const QString target = exportTo(QStringLiteral("ziel%1").arg(version.index), version.index);
        ASSERT_EQ(entries(target), QStringList{QLatin1String(version.fileName)});
        const QByteArray written = fileBytes(target + QDir::separator() + version.fileName);
        EXPECT_EQ(written, templateBytes(version.templateName) + "\r\n") << version.fileName;
        EXPECT_TRUE(written.startsWith("ClosePunctuation 0\r\nConnectorPunctuation 0\r\n"));
        EXPECT_TRUE(written.endsWith("\r\nzoom_scale 1\r\n\r\n"));
        EXPECT_EQ(bar2()->maximum(), 100);
        EXPECT_EQ(bar2()->value(), 100);
    }
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(rowCount(), 2);
}

TEST_F(SettingsExportTest, ListsTheCheckedRowsInTheirCurrentOrder)
{
    const QString spaced = corpus.filePath(QStringLiteral("mit Leerzeichen/ein Text.txt"));
    const QString foreign = corpus.filePath(QString::fromUtf8("Łódź.txt"));
    addRow(corpus.filePath(QStringLiteral("eins.txt")), false);
    addRow(spaced, true);
    addRow(corpus.filePath(QStringLiteral("drei.txt")), false);
    addRow(foreign, true);
    addRow(corpus.filePath(QStringLiteral("fünf.txt")), false);
    // Reversed, as a sort would leave them: the checked rows now stand foreign first.
    auto *files = find<QTreeWidget>("files");
    QList<QTreeWidgetItem *> rows;
    while (files->topLevelItemCount() > 0)
        rows.prepend(files->takeTopLevelItem(0));
    files->addTopLevelItems(rows);

    const QString target = exportTo(QStringLiteral("Ziel mit Leerzeichen"), 2);

    // Both paths are ASCII up to their last part; "Ł" and "ź" have no place in Windows-1252.
    const QByteArray expected = templateBytes("str324m") + "\r\n" + "FILE " +
                                corpus.path().toLatin1() +
                                "/?\xF3"
                                "d?.txt\r\n" +
                                "FILE " + spaced.toLatin1() + "\r\n";
    EXPECT_EQ(fileBytes(target + QDir::separator() + "Subkorpus-for-antconc324m.ant"), expected);
    // Only the path that lost letters is named, in a note after the complete file.
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().icon, MessageIcon::None);
    EXPECT_TRUE(dialogs->shown().front().text.endsWith(QStringLiteral(":\r\n") + foreign))
        << qPrintable(dialogs->shown().front().text);
}

TEST_F(SettingsExportTest, WithoutRowsShowsTheFirstBoxAndCreatesNothing)
{
    const QString target = exportTo(QStringLiteral("ziel"), 0);

    ASSERT_EQ(dialogs->shown().size(), 1u);
    const MessageRequest &box = dialogs->shown().front();
    EXPECT_EQ(box.caption, QStringLiteral("Fehler"));
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.text, noRowsMessage);
    EXPECT_EQ(box.buttons, QStringList{QStringLiteral("OK")});
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_EQ(bar2()->value(), 0);
}

TEST_F(SettingsExportTest, AnExistingTargetShowsTheSecondBoxAndWritesNothing)
{
    addRow(corpus.filePath(QStringLiteral("a.txt")), true);
    const QString target = exportTo(QStringLiteral("ziel"), 0);
    ASSERT_TRUE(dialogs->shown().empty());
    QFile::remove(target + QStringLiteral("/Subkorpus-for-antconc341w.ant"));
    bar2()->setValue(0);

    exportTo(QStringLiteral("ziel"), 1);

    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().text, targetExistsMessage);
    EXPECT_EQ(dialogs->shown().front().caption, QStringLiteral("Fehler"));
    EXPECT_TRUE(entries(target).isEmpty());
    EXPECT_EQ(bar2()->value(), 0);
}

TEST_F(SettingsExportTest, RefusesAnEmptyTargetAndOneThatCannotBeCreated)
{
    addRow(corpus.filePath(QStringLiteral("a.txt")), true);
    const QStringList before = entries(corpus.path());

    setText("zielverz", QString());
    click("Button5");
    exportTo(QStringLiteral("fehlt/ziel"), 0);

    ASSERT_EQ(dialogs->shown().size(), 2u);
    for (const MessageRequest &box : dialogs->shown()) {
        EXPECT_EQ(box.caption, QStringLiteral("Fehler"));
        EXPECT_NE(box.text, noRowsMessage);
        EXPECT_NE(box.text, targetExistsMessage);
    }
    EXPECT_TRUE(
        dialogs->shown().back().text.contains(corpus.filePath(QStringLiteral("fehlt/ziel"))));
    EXPECT_EQ(entries(corpus.path()), before);
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/Subkorpus-for-antconc341w.ant")));
    EXPECT_EQ(bar2()->value(), 0);
}

TEST_F(SettingsExportTest, AFailedWriteIsReportedAndLeavesNoFileBehind)
{
    addRow(corpus.filePath(QStringLiteral("a.txt")), true);
    const QString target = corpus.filePath(QStringLiteral("ziel"));
    const QString settingsFile = target + QStringLiteral("/Subkorpus-for-antconc341w.ant");
    // Just before the write, something takes the settings file's name.
    QObject::connect(bar2(), &QProgressBar::valueChanged, [&](int value) {
        if (value == 100)
            QDir().mkdir(settingsFile);
    });

    exportTo(QStringLiteral("ziel"), 0);

    ASSERT_EQ(dialogs->shown().size(), 1u);
    const MessageRequest &box = dialogs->shown().front();
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.caption, QCoreApplication::applicationName());
    EXPECT_TRUE(box.text.contains(settingsFile)) << qPrintable(box.text);
    EXPECT_EQ(entries(target), QStringList{QStringLiteral("Subkorpus-for-antconc341w.ant")});
    EXPECT_TRUE(QFileInfo(settingsFile).isDir());
    EXPECT_TRUE(entries(settingsFile).isEmpty());
}

TEST_F(SettingsExportTest, AFailedWriteOnAFullDiskRemovesTheNewEmptyTargetSoThatATryAgainWorks)
{
    addRow(corpus.filePath(QStringLiteral("a.txt")), true);
    QString target;
    {
        FileSizeLimit limit(1000);
        if (!limit.active())
            GTEST_SKIP() << "no file size limit on this platform";
        target = exportTo(QStringLiteral("ziel"), 0);
    }
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().text,
              QStringLiteral("Die Datei %1/Subkorpus-for-antconc341w.ant konnte nicht geschrieben "
                             "werden. Die Dateigröße überschreitet die zulässige Grenze und kann "
                             "nicht gespeichert werden.")
                  .arg(target));
    EXPECT_FALSE(QFileInfo::exists(target));

    dialogs->clearShown();
    exportTo(QStringLiteral("ziel"), 0);
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(entries(target), QStringList{QStringLiteral("Subkorpus-for-antconc341w.ant")});
}

TEST_F(SettingsExportTest, ALineBreakInAPathIsWrittenAsAQuestionMarkAndNamedInTheNote)
{
    const QString broken =
        corpus.filePath(QStringLiteral("bericht\nglobal_settings_setting 1.txt"));
    addRow(broken, true);
    const QString target = exportTo(QStringLiteral("ziel"), 0);

    const QByteArray written = fileBytes(target + QStringLiteral("/Subkorpus-for-antconc341w.ant"));
    EXPECT_TRUE(written.endsWith("\r\n\r\nFILE " +
                                 QFile::encodeName(corpus.filePath(
                                     QStringLiteral("bericht?global_settings_setting 1.txt"))) +
                                 "\r\n"));
    EXPECT_FALSE(written.contains("\nglobal_settings_setting 1.txt"));
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_TRUE(dialogs->shown().front().text.endsWith(QStringLiteral("\r\n") + broken));
}
