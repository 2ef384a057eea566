#include "clitool.h"
#include "fixtures.h"

#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

// The lines per path of --kwic in tsv, whose first field is the path.
QHash<QByteArray, int> linesPerPath(const QByteArray &out)
{
    QHash<QByteArray, int> lines;
    for (const QByteArray &line : out.split('\n')) {
        if (!line.isEmpty())
            ++lines[line.left(line.indexOf('\t'))];
    }
    return lines;
}

} // namespace

// Empty matches, line ends and umlauts in Windows-1252 are where a second matcher would drift
// from the count.
TEST(CliKwic, EveryTextHasAsManyHitLinesAsItsF)
{
    for (const QString pattern : {"\\bder\\b|Markt", "r*", "\\R", "[äöüÄÖÜß]\\w"}) {
        SCOPED_TRACE(pattern.toStdString());
        const QStringList query{"-r", pattern, QStringLiteral(QVX_SAMPLES)};
        const CliResult rows = runTool(query);
        ASSERT_EQ(rows.status, 0);
        QHash<QByteArray, int> f;
        for (const QByteArray &row : rows.out.split('\n')) {
            if (!row.isEmpty())
                f[row.split('\t')[0]] = row.split('\t')[1].toInt();
        }
        const CliResult hits = runTool(QStringList{"--kwic", "12"} + query);
        EXPECT_EQ(hits.status, 0);
        EXPECT_EQ(linesPerPath(hits.out), f);

        const CliResult jsonl = runTool(QStringList{"--kwic", "12", "--format", "jsonl"} + query);
        EXPECT_EQ(jsonl.out.count('\n'), hits.out.count('\n'));
    }
}

TEST(CliKwic, ALineShowsPositionContextAndMarksAndRefusesWhatHasNoHits)
{
    TempCorpus corpus;
    const QString path = corpus.write("t.txt", "ab\ncd\tx\\y");
    // The text is "ab" CR LF "cd" TAB "x\y" CR LF; the c stands at 4.
    const CliResult tsv = runTool({"--kwic", "3", "--header", "c", path});
    EXPECT_EQ(QString::fromUtf8(tsv.out),
              "Datei\tPosition\tLinks\tTreffer\tRechts\n" + path + "\t4\tb⏎\tc\td\\tx\n");

    const CliResult jsonl = runTool({"--kwic", "2", "--format", "jsonl", "y\\R", path});
    const QJsonObject hit = QJsonDocument::fromJson(jsonl.out).object();
    EXPECT_EQ(hit.value("position").toInt(), 9);
    EXPECT_EQ(hit.value("left").toString(), "x\\");
    EXPECT_EQ(hit.value("match").toString(), "y⏎");
    EXPECT_EQ(hit.value("right").toString(), "");

    for (const QStringList &refused :
         {QStringList{"--kwic", "3", "-s", "c", path}, QStringList{"--kwic", "drei", "c", path},
          QStringList{"--kwic", "-1", "c", path}, QStringList{"--kwic", "3", "-l", "c", path},
          QStringList{"--kwic", "3", "--format", "export", "c", path}}) {
        const CliResult result = runTool(refused);
        EXPECT_EQ(result.status, 2) << refused.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains("--kwic")) << result.err.constData();
    }
}
