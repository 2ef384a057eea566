#include "clitool.h"
#include "files/sourcelisting.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

struct Query
{
    QString pattern;
    QString exclusion;
    QString weighting;
    QString fK = QStringLiteral("1");
    QString fBK = QStringLiteral("1");
    bool simple = false;
    bool ignoreCase = false;
};

class CliEquivalenceTest : public WindowTest
{
protected:
    // The window's export after the search, and what qvx-cli writes for the same query.
    QByteArray windowExport(const QStringList &sources, const Query &query, int sortColumn)
    {
        setSources(sources);
        setDefaultTarget();
        setText("edit_ausschl", query.exclusion);
        setText("Edit2", query.weighting);
        setText("Edit3", query.fK);
        setText("Edit4", query.fBK);
        find<QRadioButton>(query.simple ? "RadioButton2" : "RadioButton1")->setChecked(true);
        find<QCheckBox>("CheckBox1")->setChecked(query.ignoreCase);
        search(query.pattern);
        if (sortColumn >= 0)
            clickHeader(sortColumn);
        // Beside the corpus, whose directory qvx-cli lists.
        const QString path = m_exportDir.filePath(QStringLiteral("export%1.txt").arg(++m_exports));
        dialogs->answerFileDialog(path);
        trigger("Exportieren1");
        return fileBytes(path);
    }

    static QStringList cliArguments(const QStringList &sources, const Query &query,
                                    const QString &sort)
    {
        QStringList args{"--format",      "export", "-x",     query.exclusion, "-w",
                         query.weighting, "--fk",   query.fK, "--fbk",         query.fBK};
        if (query.simple)
            args << "-s";
        if (query.ignoreCase)
            args << "-i";
        if (!sort.isEmpty())
            args << "--sort" << sort;
        return args << "--" << query.pattern << sources;
    }

    void expectSameExport(const QStringList &sources, const QStringList &operands,
                          const Query &query, int sortColumn = -1, const QString &sort = {})
    {
        SCOPED_TRACE(query.pattern.toStdString());
        const QByteArray expected = windowExport(sources, query, sortColumn);
        const CliResult result = runTool(cliArguments(operands, query, sort));
        EXPECT_EQ(result.err, QByteArray());
        EXPECT_EQ(result.status, expected.isEmpty() ? 1 : 0);
        EXPECT_EQ(result.out, expected);
    }

    QTemporaryDir m_exportDir;
    int m_exports = 0;
};

QStringList listed(const QString &directory)
{
    return sourcePaths(directory, listSourceTexts(directory));
}

} // namespace

TEST_F(CliEquivalenceTest, ExportOfTheSamplesEqualsTheWindowsSortedExport)
{
    const QString zeitungen = QDir::cleanPath(QStringLiteral(QVX_SAMPLES "/zeitungen"));
    const QString briefe = QDir::cleanPath(QStringLiteral(QVX_SAMPLES "/briefe"));
    Query query{"\\bHeute\\b", "Morgen", "Zeit", "1", "0,5"};
    expectSameExport(listed(zeitungen) + listed(briefe), {zeitungen, briefe}, query, 4, "g");
    EXPECT_EQ(rowCount(), 6);
}

TEST_F(CliEquivalenceTest, ExportOfEdgeCasesEqualsTheWindowsInEveryMode)
{
    const QStringList texts = useTexts({
        "",
        QByteArray("Haus\0Haus Haus", 14),
        "Haus\rHaus\r",
        "H\xe4user Haus \xe4Haus Haus\xf6 x\r\n",
        "Morgen Haus",
        "Haus Zeit Zeit Zeitung\n\n",
        "\x80 Euro \x81 HAUS\n",
        QByteArray("\0Haus", 5),
    });
    const QList<Query> queries{
        {"x*", "", "Zeit", "2,5", "-1"},
        {"\\bHaus\\b", "Morgen", "Zeit|Haus", "1", "0,5"},
        {"(?i)haus$", "", "", "3", "1"},
        {"HAUS", "MORGEN", "", "1", "1", true, true},
        {"Haus", "Zeit", "", "1", "1", true, false},
    };
    for (const Query &query : queries)
        expectSameExport(texts, {corpus.path()}, query);
    expectSameExport(texts, {corpus.path()}, queries[1], 2, "percent");
}

TEST_F(CliEquivalenceTest, CopiesAndTheAntconcFileEqualTheWindows)
{
    const QStringList texts = useTexts({"Heute", "nicht", "Heute und heute"});
    setText("zielverz", corpus.filePath("fenster"));
    search("Heute");
    find<QComboBox>("antlist")->setCurrentIndex(2);
    click("Button5");
    const QString target = corpus.filePath("cli");
    const CliResult result = runTool(
        {"-q", "--copy-to", target, "--antconc", "324m", "Heute", texts[0], texts[1], texts[2]});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(entriesOf(target),
              (QStringList{"Subkorpus-for-antconc324m.ant", "t0.txt", "t2.txt"}));
    EXPECT_EQ(fileBytes(target + "/Subkorpus-for-antconc324m.ant"),
              fileBytes(corpus.filePath("fenster/Subkorpus-for-antconc324m.ant")));
    EXPECT_EQ(fileBytes(target + "/t2.txt"), "Heute und heute");
}

TEST_F(CliEquivalenceTest, AntconcFileOfRelativeSourcesHoldsTheWindowsFullPaths)
{
    useTexts({"Heute", "nicht", "Heute und heute"});
    setText("zielverz", corpus.filePath("fenster"));
    search("Heute");
    find<QComboBox>("antlist")->setCurrentIndex(0);
    click("Button5");
    const CliResult result =
        runToolIn(corpus.path(), {"-q", "--copy-to", "cli", "--antconc", "341w", "Heute",
                                  "./t0.txt", "t1.txt", "t2.txt"});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    const QByteArray written = fileBytes(corpus.filePath("cli/Subkorpus-for-antconc341w.ant"));
    EXPECT_TRUE(written.endsWith("FILE " + QFile::encodeName(corpus.filePath("t2.txt")) + "\r\n"))
        << written.toStdString();
    EXPECT_EQ(written, fileBytes(corpus.filePath("fenster/Subkorpus-for-antconc341w.ant")));
}
