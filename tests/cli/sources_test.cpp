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
    EXPECT_EQ(pathsOf(fromFile.out), (QStringList{c, b, c, a}));

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
}
