#include "clitool.h"
#include "filesizelimit.h"
#include "fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

class CliOutputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // "abc" and CR LF: 5 units, one "b" is 20 %; 2 matches in 4 units are 50 %; 3 in 1234
        // units are 0.243111831442464 %.
        abc = corpus.write("abc.txt", "abc");
        bb = corpus.write("bb.txt", "bb\n");
        long3 = corpus.write("long.txt", "bbb" + QByteArray(1229, 'a'));
        corpus.write("none.txt", "keins");
    }

    TempCorpus corpus;
    QString abc, bb, long3;
};

} // namespace

TEST_F(CliOutputTest, TsvAndJsonlCarryTheRowsWithAPointThresholdsAndSort)
{
    const QStringList query{"-w", "c|a", "--fk", "2", "--fbk", "0,5", "b", corpus.path()};
    const CliResult tsv = runTool(query);
    EXPECT_EQ(tsv.status, 0);
    EXPECT_EQ(QString::fromUtf8(tsv.out), abc + "\t1\t20\t2\t3\n" + bb + "\t2\t50\t0\t4\n" + long3 +
                                              "\t3\t0.243111831442464\t1229\t620.5\n");

    const CliResult jsonl = runTool(QStringList{"--format", "jsonl"} + query);
    const QList<QByteArray> lines = jsonl.out.split('\n');
    ASSERT_EQ(lines.size(), 4);
    const QJsonObject last = QJsonDocument::fromJson(lines[2]).object();
    EXPECT_EQ(last.value("path").toString(), long3);
    EXPECT_EQ(last.value("f").toInt(), 3);
    EXPECT_EQ(last.value("percent").toDouble(), 0.243111831442464);
    EXPECT_EQ(last.value("fb").toInt(), 1229);
    EXPECT_EQ(last.value("g").toDouble(), 620.5);

    const CliResult stats = runTool(QStringList{"--stats", "-q"} + query);
    EXPECT_EQ(stats.out, tsv.out);
    EXPECT_TRUE(stats.err.startsWith("Statistik: 4 Texte gelesen, 3 gefunden, 6 Treffer, 1243 "
                                     "Bytes, "))
        << stats.err.constData();

    const CliResult headed = runTool(QStringList{"--header"} + query);
    EXPECT_EQ(headed.out, "Datei\tf\t%\tfB\tG\n" + tsv.out);
    EXPECT_EQ(runTool(QStringList{"--header", "--format", "jsonl"} + query).status, 2);

    const CliResult filtered = runTool(
        QStringList{"--min-f", "1", "--min-percent", "0.25", "--sort", "f", "--ascending"} + query);
    EXPECT_EQ(QString::fromUtf8(filtered.out), bb + "\t2\t50\t0\t4\n");
    const CliResult sorted = runTool(QStringList{"--sort", "percent"} + query);
    EXPECT_TRUE(sorted.out.startsWith((bb + "\t").toUtf8()));
    EXPECT_EQ(runTool(QStringList{"--min-fb", "1229"} + query).status, 1);
}

TEST_F(CliOutputTest, FilesWithMatchesWritesThePathsEndedByLineOrNul)
{
    const QString tab = corpus.write("mit\ttab.txt", "b");
    EXPECT_EQ(QString::fromUtf8(runTool({"-l", "b", abc, bb, tab}).out),
              abc + "\n" + bb + "\n" + tab + "\n");
    EXPECT_EQ(runTool({"-l0", "b", abc, tab}).out, abc.toUtf8() + '\0' + tab.toUtf8() + '\0');
    EXPECT_EQ(runTool({"-0", "b", abc}).status, 2);
    EXPECT_EQ(runTool({"-l", "--format", "jsonl", "b", abc}).status, 2);
}

TEST_F(CliOutputTest, OutputFileAppearsWholeOrNotAtAll)
{
    QTemporaryDir outDir;
    const QString out = outDir.filePath("rows.tsv");
    const CliResult written = runTool({"-o", out, "b", corpus.path()});
    EXPECT_EQ(written.status, 0);
    EXPECT_EQ(written.out, QByteArray());
    EXPECT_EQ(fileBytes(out), runTool({"b", corpus.path()}).out);

    const CliResult dash = runToolIn(outDir.path(), {"-o", "-", "b", abc});
    EXPECT_EQ(QString::fromUtf8(dash.out), abc + "\t1\t20\t-1\t-1\n");
    EXPECT_EQ(entriesOf(outDir.path()), QStringList{"rows.tsv"});

    const CliResult missingDir = runTool({"-o", outDir.filePath("fehlt/rows.tsv"), "b", abc});
    EXPECT_EQ(missingDir.status, 2);
    EXPECT_TRUE(missingDir.err.contains("Das Verzeichnis existiert nicht"));

    // Rows of a failed run would be a part posing as the whole: the old file stays.
    const QByteArray before = fileBytes(out);
    const CliResult failed = runTool({"-o", out, "b", abc, corpus.filePath("fehlt.txt")});
    EXPECT_EQ(failed.status, 2);
    EXPECT_EQ(entriesOf(outDir.path()), QStringList{"rows.tsv"});
    EXPECT_EQ(fileBytes(out), before);
}

TEST_F(CliOutputTest, AFailedTextEndsTheRowsAfterThoseOfTheTextsBeforeIt)
{
    const QString missing = corpus.filePath("fehlt.txt");
    const CliResult streamed = runTool({"b", abc, bb, missing, long3});
    EXPECT_EQ(streamed.status, 2);
    EXPECT_EQ(QString::fromUtf8(streamed.out),
              abc + "\t1\t20\t-1\t-1\n" + bb + "\t2\t50\t-1\t-1\n");
    EXPECT_TRUE(streamed.err.contains(missing.toUtf8()));

    const CliResult sorted = runTool({"--sort", "f", "b", abc, missing});
    EXPECT_EQ(sorted.status, 2);
    EXPECT_EQ(sorted.out, QByteArray());
}

TEST_F(CliOutputTest, TextsReadFarAheadKeepTheirOrderAndNoRowFollowsAFailedText)
{
    // Far more texts than the threads hold ahead, so that they meet the failure long before
    // its turn.
    constexpr int kTexts = 1200;
    constexpr int kMissing = 1000;
    QStringList arguments{"-l", "-j", "3", "b"};
    QByteArray before, after;
    for (int i = 0; i < kTexts; ++i) {
        if (i == kMissing) {
            arguments << corpus.filePath("fehlt.txt");
            continue;
        }
        const bool found = i % 3 != 1;
        arguments << corpus.write(QStringLiteral("t%1.txt").arg(i), found ? "b" : "a");
        if (found)
            (i < kMissing ? before : after) += arguments.last().toUtf8() + '\n';
    }
    const CliResult prefix = runTool(arguments);
    EXPECT_EQ(prefix.status, 2);
    EXPECT_EQ(prefix.out, before);
    arguments.prepend("--keep-going");
    const CliResult all = runTool(arguments);
    EXPECT_EQ(all.status, 2);
    EXPECT_EQ(all.out, before + after);
    EXPECT_TRUE(all.err.contains("fehlt.txt"));
}

TEST_F(CliOutputTest, MessagesNameTheArgumentOrOutputAtFault)
{
    EXPECT_EQ(runTool({"-x", "(", "b", abc}).err,
              "qvx-cli: -x: Fehler in regulärem Ausdruck bei Offset 1: missing closing "
              "parenthesis.\n");
    EXPECT_TRUE(runTool({"-w", "[", "b", abc}).err.startsWith("qvx-cli: -w: Fehler"));
    EXPECT_TRUE(runTool({"(", abc}).err.startsWith("qvx-cli: MUSTER: Fehler"));

    QProcess closed;
    closed.start("/bin/sh", {"-c", "exec \"$0\" \"$@\" >&-", QVX_CLI_PATH, "b", abc});
    closed.waitForFinished(-1);
    EXPECT_EQ(closed.exitCode(), 2);
    EXPECT_EQ(QString::fromUtf8(closed.readAllStandardError()),
              "qvx-cli: Die Standardausgabe kann nicht geschrieben werden. Sie ist geschlossen; "
              "bitte mit -o DATEI in eine Datei schreiben.\n");

    if (QFileInfo(QStringLiteral("/proc/version")).isFile()) {
        const CliResult proc = runTool({"-o", "/proc/version", "b", abc});
        EXPECT_EQ(proc.status, 2);
        EXPECT_TRUE(proc.err.contains("In ihrem Verzeichnis kann keine neue Datei angelegt"))
            << proc.err.constData();
    }
}

TEST_F(CliOutputTest, PathsThatWindows1252LacksAreWrittenWithAQuestionMarkAndNamed)
{
    const QString polish = corpus.write(QString::fromUtf8("Łódź.txt"), "abc");
    const QString target = corpus.filePath("ziel");
    const CliResult result = runTool(
        {"-q", "--format", "export", "--copy-to", target, "--antconc", "341w", "b", polish});
    EXPECT_EQ(result.status, 0);
    const QByteArray line = corpus.path().toLatin1() + "/?\xf3"
                                                       "d?.txt";
    EXPECT_EQ(result.out, line + "\t1\t20\t-1\t-1\r\n");
    EXPECT_TRUE(
        fileBytes(target + "/Subkorpus-for-antconc341w.ant").endsWith("FILE " + line + "\r\n"));
    EXPECT_EQ(result.err.count("qvx-cli: Achtung: Dieser Pfad"), 2);
    EXPECT_EQ(fileBytes(target + QString::fromUtf8("/Łódź.txt")), "abc");
}

TEST_F(CliOutputTest, CopyToRefusesAnExistingTargetAndNameClashesUnlessReplace)
{
    const QString target = corpus.filePath("ziel");
    QDir().mkdir(target);
    const CliResult existing = runTool({"--copy-to", target, "b", corpus.path()});
    EXPECT_EQ(existing.status, 2);
    EXPECT_EQ(existing.out, QByteArray());
    EXPECT_EQ(QString::fromUtf8(existing.err),
              "qvx-cli: Das Zielverzeichnis existiert bereits. Bitte erstellen Sie ein neues oder "
              "wählen Sie ein anderes Zielverzeichnis.\n");
    EXPECT_EQ(entriesOf(target), QStringList());

    const QString other = corpus.write("andere/abc.txt", "b anders");
    const QString clashTarget = corpus.filePath("neu");
    const CliResult clash = runTool({"-q", "--copy-to", clashTarget, "b", abc, other});
    EXPECT_EQ(clash.status, 2);
    EXPECT_TRUE(clash.err.contains("haben denselben Dateinamen"));
    EXPECT_FALSE(QFileInfo::exists(clashTarget));

    const CliResult replaced =
        runTool({"-q", "--replace", "--copy-to", clashTarget, "b", abc, other});
    EXPECT_EQ(replaced.status, 0);
    EXPECT_EQ(entriesOf(clashTarget), QStringList{"abc.txt"});
    EXPECT_EQ(fileBytes(clashTarget + "/abc.txt"), "b anders");
}

TEST_F(CliOutputTest, CopyToTargetIsCheckedBeforeTheSearchAndATextCountsOnce)
{
    for (const QString &target : {corpus.filePath("fehlt/ziel"), abc, abc + "/ziel"}) {
        SCOPED_TRACE(target.toStdString());
        const CliResult refused = runTool({"--copy-to", target, "b", abc});
        EXPECT_EQ(refused.status, 2);
        EXPECT_EQ(refused.out, QByteArray());
        EXPECT_TRUE(refused.err.startsWith("qvx-cli: ")) << refused.err.constData();
    }
    EXPECT_EQ(fileBytes(abc), "abc");

    const QString target = corpus.filePath("ziel");
    const QString again = corpus.path() + "/./abc.txt";
    const CliResult twice = runTool({"-q", "--copy-to", target, "b", abc, again});
    EXPECT_EQ(twice.status, 0);
    EXPECT_EQ(QString::fromUtf8(twice.out), abc + "\t1\t20\t-1\t-1\n");
    EXPECT_TRUE(twice.err.contains((again + " ist dieselbe Datei wie " + abc).toUtf8()))
        << twice.err.data();
    EXPECT_EQ(entriesOf(target), QStringList{"abc.txt"});
}

TEST_F(CliOutputTest, CopyToLeavesNoHalfWrittenFileOnAFullDisk)
{
    const QString target = corpus.filePath("ziel");
    const QString big = corpus.write("gross.txt", "b" + QByteArray(5000, 'x'));
    // The limit holds for every file of the program, which inherits it: a text larger than it
    // stands for the disk that fills up.
    const FileSizeLimit limit(2000);
    if (!limit.active())
        GTEST_SKIP() << "no file size limit on this platform";
    const CliResult result = runTool({"-q", "--copy-to", target, "b", abc, big, bb});
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.err.contains("konnte nicht nach")) << result.err.constData();
    EXPECT_EQ(entriesOf(target), QStringList{"abc.txt"});
    EXPECT_EQ(fileBytes(target + "/abc.txt"), "abc");
}
