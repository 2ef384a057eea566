// The README's first search on the sample corpus, step by step through the real window: two
// source directories, a target, the three search strings, the sort by G, the saved subcorpus and
// the AntConc settings file.
#include "text/codepage.h"
#include "windowfixture.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>
#include <QTextEdit>

namespace {

const QString samplesDir = QStringLiteral(QVX_SAMPLES_DIR);

QString sample(const QString &name)
{
    return QDir(samplesDir).filePath(name);
}

// Adding a source directory moves the working directory there; the next test must not inherit it.
class WorkingDirectoryScope
{
public:
    WorkingDirectoryScope() : m_previous(QDir::currentPath()) {}
    ~WorkingDirectoryScope() { QDir::setCurrent(m_previous); }
    WorkingDirectoryScope(const WorkingDirectoryScope &) = delete;
    WorkingDirectoryScope &operator=(const WorkingDirectoryScope &) = delete;

private:
    QString m_previous;
};

class WalkthroughTest : public WindowTest
{
protected:
    QString labelText(const char *name) const { return find<QLabel>(name)->text(); }
    QString fieldText(const char *name) const { return find<QLineEdit>(name)->text(); }

    static QStringList entries(const QString &directory)
    {
        return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                         QDir::Name);
    }

    WorkingDirectoryScope workingDirectory;
};

// Sorted by G, largest first; the numbers as the German locale writes them.
const QStringList expectedRows[] = {
    {sample("briefe/urlaub.txt"), "2", "0,543478260869565", "4", "6"},
    {sample("zeitungen/bürgerfest.txt"), "3", "0,584795321637427", "2", "5"},
    {sample("zeitungen/sport.txt"), "1", "0,22075055187638", "3", "4"},
    {sample("zeitungen/wetter.txt"), "2", "0,549450549450549", "1", "3"},
    {sample("briefe/markt.txt"), "1", "0,297619047619048", "1", "2"},
    {sample("briefe/rathaus.txt"), "1", "0,373134328358209", "0", "1"},
};

} // namespace

TEST_F(WalkthroughTest, FirstSearchOnTheSampleCorpus)
{
    dialogs->answerSourceDirectory(sample("zeitungen"));
    click("Button2");
    EXPECT_EQ(labelText("Label1"), QStringLiteral("Quelldateien (*.txt) [6]"));

    // The second directory is added to the first: "&Nein" keeps the list.
    dialogs->answer(1);
    dialogs->answerSourceDirectory(sample("briefe"));
    click("Button2");
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().text,
              QStringLiteral("Sollen die bisherige Liste an Quelldateien zurückgesetzt werden?"));
    EXPECT_EQ(labelText("Label1"), QStringLiteral("Quelldateien (*.txt) [12]"));
    EXPECT_EQ(find<QListWidget>("box")->item(6)->text(), sample("briefe/geburtstag.txt"));
    dialogs->clearShown();

    dialogs->answerFolder(corpus.path());
    click("Button1");
    const QString target = fieldText("zielverz");
    EXPECT_TRUE(target.startsWith(QDir(corpus.path()).filePath(QStringLiteral("Subkorpus"))))
        << target.toStdString();

    setText("Edit1", QStringLiteral("\\bHeute\\b"));
    setText("edit_ausschl", QStringLiteral("Morgen"));
    setText("Edit2", QStringLiteral("Zeit"));
    click("Button3");
    EXPECT_TRUE(dialogs->shown().empty());
    ASSERT_EQ(rowCount(), 6);
    EXPECT_EQ(labelText("Label7"), QStringLiteral("6 Treffer"));

    clickHeader(4);
    for (int row = 0; row < rowCount(); ++row) {
        EXPECT_EQ(rowTexts(row), expectedRows[row]) << "row " << row;
        EXPECT_TRUE(rowChecked(row)) << "row " << row;
    }

    const QRect firstRow = form->files->visualItemRect(form->files->topLevelItem(0));
    QTest::mouseClick(form->files->viewport(), Qt::LeftButton, {}, firstRow.center());
    EXPECT_TRUE(
        form->vorschau->toPlainText().contains(QStringLiteral("Heute waren wir am Kreidefelsen")));
    EXPECT_TRUE(rowChecked(0));

    click("Button4");
    EXPECT_TRUE(dialogs->shown().empty());
    QStringList copiedNames;
    for (const QStringList &row : expectedRows)
        copiedNames << QFileInfo(row.front()).fileName();
    copiedNames.sort();
    ASSERT_EQ(entries(target), copiedNames);
    for (const QStringList &row : expectedRows) {
        const QString copy = QDir(target).filePath(QFileInfo(row.front()).fileName());
        EXPECT_EQ(fileBytes(copy), fileBytes(row.front())) << copy.toStdString();
    }

    // The subcorpus directory exists now, so the settings file needs a new target.
    const QString antconcTarget = target + QStringLiteral("-AntConc");
    setText("zielverz", antconcTarget);
    ASSERT_EQ(find<QComboBox>("antlist")->currentText(), QStringLiteral("AntConc 3.4.1w"));
    click("Button5");
    EXPECT_TRUE(dialogs->shown().empty());
    ASSERT_EQ(entries(antconcTarget), QStringList{QStringLiteral("Subkorpus-for-antconc341w.ant")});

    const QByteArray settings =
        fileBytes(QDir(antconcTarget).filePath(QStringLiteral("Subkorpus-for-antconc341w.ant")));
    ASSERT_TRUE(settings.endsWith("\r\n"));
    const QStringList lines = cp1252::decode(settings.chopped(2)).split(QStringLiteral("\r\n"));
    ASSERT_GT(lines.size(), 7);
    const QStringList fileLines = lines.mid(lines.size() - 6);
    EXPECT_EQ(lines.at(lines.size() - 7), QString());
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(fileLines.at(row), QStringLiteral("FILE ") + expectedRows[row].front());
}

// Git or an editor could silently turn the samples into UTF-8 or LF text.
TEST(SampleCorpusTest, TextsAreWindows1252WithCrLfAndShareNamesAcrossDirectories)
{
    const QStringList newspapers = QDir(sample("zeitungen")).entryList({"*.txt"}, QDir::Files);
    const QStringList letters = QDir(sample("briefe")).entryList({"*.txt"}, QDir::Files);
    EXPECT_EQ(newspapers.size() + letters.size(), 12);
    EXPECT_TRUE(newspapers.contains(QStringLiteral("bürgerfest.txt")));
    for (const char *name : {"wetter.txt", "markt.txt", "rathaus.txt"}) {
        EXPECT_TRUE(newspapers.contains(QLatin1String(name))) << name;
        EXPECT_TRUE(letters.contains(QLatin1String(name))) << name;
    }

    QDirIterator it(samplesDir, {"*.txt"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QByteArray bytes = fileBytes(path);
        EXPECT_TRUE(bytes.endsWith("\r\n")) << path.toStdString();
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << path.toStdString();
        EXPECT_EQ(bytes.count('\r'), bytes.count("\r\n")) << path.toStdString();
        // Umlauts as single bytes; as UTF-8 they would decode to "Ã" followed by another sign.
        const QString text = cp1252::decode(bytes);
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("[äöüÄÖÜß]"))))
            << path.toStdString();
        EXPECT_FALSE(text.contains(QChar(0x00C3))) << path.toStdString();
    }
}
