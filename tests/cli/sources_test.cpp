#include "clitool.h"
#include "fixtures.h"

#include <QFile>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QStringList pathsOf(const QByteArray &tsv)
{
    QStringList paths;
    for (const QByteArray &line : tsv.split('\n')) {
        if (!line.isEmpty())
            paths << QString::fromUtf8(line.split('\t').front());
    }
    return paths;
}

} // namespace

TEST(CliSources, RecursiveListsEachDirectoryByTheWindowsRuleDepthFirst)
{
    TempCorpus corpus;
    for (const char *name : {"b.txt", "A.TXT", "c.doc", ".d.txt", "e.txt/inner.txt", "sub/z.txt",
                             "sub/deep/y.txt", ".hidden/h.txt", "Ärger/a.txt"})
        corpus.write(QString::fromUtf8(name), "x");
    ASSERT_TRUE(QFile::link(corpus.filePath("sub"), corpus.filePath("link")));
    // A directory named in Latin-1, as old archives name them, is entered by its bytes.
    const QByteArray latin1 = QFile::encodeName(corpus.path()) + "/zz-M\xe4rz";
    ASSERT_EQ(::mkdir(latin1.constData(), 0700), 0);
    std::FILE *file = std::fopen((latin1 + "/m.txt").constData(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("x", file);
    std::fclose(file);
    const QString root = corpus.path() + '/';

    const CliResult flat = runTool({"-s", "x", corpus.path()});
    EXPECT_EQ(flat.status, 0);
    EXPECT_EQ(pathsOf(flat.out), (QStringList{root + "A.TXT", root + "b.txt"}));

    const CliResult deep = runTool({"-r", "-s", "x", corpus.path()});
    EXPECT_EQ(deep.status, 0);
    EXPECT_EQ(
        pathsOf(deep.out),
        (QStringList{root + "A.TXT", root + "b.txt", root + "Ärger/a.txt", root + "e.txt/inner.txt",
                     root + "sub/z.txt", root + "sub/deep/y.txt", root + "zz-M\uFFFDrz/m.txt"}));
    EXPECT_TRUE(deep.out.endsWith(latin1 + "/m.txt\t-1\t-1\t-1\t-1\n"));

    const CliResult globbed =
        runTool({"-r", "-g", "[a-z]*", "-g", "!y*", "-s", "x", corpus.path(), root + "A.TXT"});
    EXPECT_EQ(pathsOf(globbed.out),
              (QStringList{root + "b.txt", root + "Ärger/a.txt", root + "e.txt/inner.txt",
                           root + "sub/z.txt", root + "zz-M\uFFFDrz/m.txt", root + "A.TXT"}));

    // A directory typed relative gives relative rows; the export names full paths as the
    // window's does.
    const CliResult relative = runToolIn(corpus.path(), {"-r", "-s", "x", "sub"});
    EXPECT_EQ(pathsOf(relative.out), (QStringList{"sub/z.txt", "sub/deep/y.txt"}));
    const CliResult exported =
        runToolIn(corpus.path(), {"--format", "export", "-s", "x", "./sub/"});
    EXPECT_EQ(exported.out, (root + "sub/z.txt\t-1\t-1\t-1\t-1\r\n").toUtf8());
}

TEST(CliSources, ListsFromAFileAndFromStandardInputKeepTheirOrder)
{
    TempCorpus corpus;
    const QString a = corpus.write("a.txt", "Heute");
    const QString b = corpus.write("dir/b.txt", "Heute");
    const QString c = corpus.write("dir/c.txt", "Heute");
    const QString missing = corpus.filePath("fehlt.txt");
    const QByteArray list = (c + "\r\n\r\n" + corpus.filePath("dir") + "\n" + a).toUtf8();
    const QString listFile = corpus.write("liste", list);

    const CliResult fromFile = runTool({"Heute", "@" + listFile});
    EXPECT_EQ(fromFile.status, 0);
    // c, met again in dir, is searched once.
    EXPECT_EQ(pathsOf(fromFile.out), (QStringList{c, b, a}));

    const CliResult fromInput = runTool({"Heute", a, "-"}, (missing + "\n" + b).toUtf8());
    EXPECT_EQ(fromInput.status, 2);
    EXPECT_TRUE(fromInput.err.startsWith(("qvx-cli: Datei " + missing).toUtf8()));

    const CliResult goingOn =
        runTool({"--keep-going", "Heute", "@-"}, (missing + "\n" + b).toUtf8());
    EXPECT_EQ(goingOn.status, 2);
    EXPECT_EQ(pathsOf(goingOn.out), QStringList{b});
    EXPECT_TRUE(goingOn.err.startsWith(("qvx-cli: Datei " + missing).toUtf8()));

    const CliResult noList = runTool({"Heute", "@" + missing});
    EXPECT_EQ(noList.status, 2);
    EXPECT_TRUE(noList.err.startsWith(("qvx-cli: Die Liste " + missing).toUtf8()));

    const CliResult nul = runTool({"Heute", "@-"}, (a + "\n" + b).toUtf8() + '\0' + "c\n");
    EXPECT_EQ(nul.status, 2);
    EXPECT_EQ(nul.out, QByteArray());
    EXPECT_TRUE(nul.err.contains("Die Liste auf der Standardeingabe enthält in Zeile 2 ein NUL"))
        << nul.err.constData();
}

// Several directories are listed at once; their texts and the errors still come in the order
// the operands and lists name them.
TEST(CliSources, SeveralDirectoriesAndErrorsKeepTheOrderNamed)
{
    TempCorpus corpus;
    const QString root = corpus.path() + '/';
    QStringList flat;
    QStringList deep;
    for (const char *dir : {"d3", "d0", "d5", "d1", "d4", "d2"}) {
        QStringList own;
        for (const char *name : {"b.txt", "a.txt"})
            own << corpus.write(QString("%1/%2").arg(dir, name), "x");
        own.sort();
        flat << own;
        deep << own << corpus.write(QString("%1/sub/c.txt").arg(dir), "x");
    }
    const QString single = corpus.write("einzeln.txt", "x");
    const QString list = corpus.write("liste", (root + "d4\n" + root + "d2\n").toUtf8());
    const QStringList operands{root + "d3", root + "d0", single,
                               root + "d5", root + "d1", "@" + list};
    flat.insert(4, single);
    deep.insert(6, single);

    const CliResult plain = runTool(QStringList{"-s", "x"} + operands);
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(pathsOf(plain.out), flat);
    const CliResult recursive = runTool(QStringList{"-r", "-s", "x"} + operands);
    EXPECT_EQ(pathsOf(recursive.out), deep);

    const QString missing = corpus.filePath("fehlt");
    const CliResult goingOn =
        runTool({"--keep-going", "-s", "x", root + "d3", "@" + missing, root + "d0", "@-"},
                QByteArray("a\0b\n", 4) + (root + "d5").toUtf8());
    EXPECT_EQ(goingOn.status, 2);
    EXPECT_EQ(pathsOf(goingOn.out), flat.mid(0, 4) + flat.mid(5, 2));
    const qsizetype listError = goingOn.err.indexOf(("Die Liste " + missing).toUtf8());
    const qsizetype nulError = goingOn.err.indexOf("Standardeingabe enthält in Zeile 1 ein NUL");
    EXPECT_GE(listError, 0) << goingOn.err.constData();
    EXPECT_GT(nulError, listError) << goingOn.err.constData();
}

TEST(CliSources, HostilePathsComeBackWholeFromTsvUnescaping)
{
    TempCorpus corpus;
    QStringList written;
    for (const char *name : {"tab\there.txt", "zeile\nneu.txt", "wagen\rruecklauf.txt",
                             "back\\slash.txt", "\\t-kein-tab.txt", "\\\tbeides.txt"})
        written << corpus.write(QString::fromUtf8(name), "x");
    const CliResult result = runTool(QStringList{"-s", "x"} + written);
    EXPECT_EQ(result.status, 0);
    QStringList read;
    for (const QByteArray &line : result.out.split('\n')) {
        if (line.isEmpty())
            continue;
        const QList<QByteArray> fields = line.split('\t');
        ASSERT_EQ(fields.size(), 5) << line.constData();
        QByteArray path;
        for (qsizetype i = 0; i < fields[0].size(); ++i) {
            const char c = fields[0][i];
            if (c != '\\' || i + 1 == fields[0].size()) {
                path += c;
                continue;
            }
            const char escaped = fields[0][++i];
            path += escaped == 't' ? '\t' : escaped == 'r' ? '\r' : escaped == 'n' ? '\n' : escaped;
        }
        read << QString::fromUtf8(path);
    }
    EXPECT_EQ(read, written);
}
