#include "clitool.h"
#include "fixtures.h"

#include <QFile>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The bytes of the file that the path's bytes name, or "<fehlt>".
QByteArray bytesAt(const QByteArray &path)
{
    std::FILE *file = std::fopen(path.constData(), "rb");
    if (!file)
        return "<fehlt>";
    QByteArray bytes;
    char buffer[4096];
    while (const size_t got = std::fread(buffer, 1, sizeof buffer, file))
        bytes.append(buffer, qsizetype(got));
    std::fclose(file);
    return bytes;
}

} // namespace

TEST(CliArguments, AnOutputFileThatIsASourceOrInTheCopyTargetIsRefusedBeforeReading)
{
    TempCorpus corpus;
    const QString text = corpus.write("t01.txt", "Treffer");
    const QString other = corpus.write("t02.txt", "Treffer");
    const QString hardLink = corpus.filePath("verweis.txt");
    ASSERT_EQ(::link(QFile::encodeName(text).constData(), QFile::encodeName(hardLink).constData()),
              0);
    const QString symbolic = corpus.filePath("symbolisch");
    ASSERT_TRUE(QFile::link(other, symbolic));

    for (const QString &output : {text, hardLink, symbolic}) {
        SCOPED_TRACE(output.toStdString());
        const CliResult refused = runTool({"-q", "-o", output, "Treffer", corpus.path()});
        EXPECT_EQ(refused.status, 2);
        EXPECT_TRUE(refused.err.contains("ist der Quelltext")) << refused.err.constData();
    }
    // A file "-ot01.txt" that a shell's * puts among the arguments names t01.txt as the output.
    const CliResult globbed = runToolIn(corpus.path(), {"-ot01.txt", "Treffer", "t01.txt"});
    EXPECT_EQ(globbed.status, 2);

    const QString target = corpus.filePath("ziel");
    const CliResult inTarget = runTool({"-q", "-o", corpus.filePath("ziel/../ziel/tabelle.tsv"),
                                        "--copy-to", target, "Treffer", text});
    EXPECT_EQ(inTarget.status, 2);
    EXPECT_TRUE(inTarget.err.contains("Zielverzeichnis")) << inTarget.err.constData();
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(fileBytes(text), "Treffer");
    EXPECT_EQ(fileBytes(other), "Treffer");
}

// Names written in Latin-1, as old archives and scripts carry them, reach the file system with
// exactly their bytes.
TEST(CliArguments, PathArgumentsKeepBytesThatAreNotUtf8)
{
    TempCorpus corpus;
    const QByteArray root = QFile::encodeName(corpus.path());
    const QByteArray source = root + "/Quelle\xe4";
    ASSERT_EQ(::mkdir(source.constData(), 0700), 0);
    std::FILE *file = std::fopen((source + "/a.txt").constData(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("Treffer", file);
    std::fclose(file);
    const QByteArray target = root + "/Ziel\xe4";
    const QByteArray output = root + "/Erg\xe4"
                                     "bnis.tsv";

    const CliResult result = runToolWithBytes(
        {"-q", "--copy-to", target, "--antconc", "341w", "-o", output, "Treffer", source});
    EXPECT_EQ(result.status, 0) << result.err.constData();
    EXPECT_EQ(bytesAt(target + "/a.txt"), "Treffer");
    EXPECT_TRUE(bytesAt(target + "/Subkorpus-for-antconc341w.ant")
                    .endsWith("FILE " + source + "/a.txt\r\n"));
    EXPECT_EQ(bytesAt(output), source + "/a.txt\t1\t11.1111111111111\t-1\t-1\n");

    // QTemporaryDir removes by names in text, which cannot name these files.
    for (const QByteArray &written :
         {target + "/a.txt", target + "/Subkorpus-for-antconc341w.ant", source + "/a.txt", output})
        ::unlink(written.constData());
    ::rmdir(target.constData());
    ::rmdir(source.constData());
}

TEST(CliArguments, PatternsThatAreNotUtf8AreRefusedUnlessReadAsWindows1252)
{
    TempCorpus corpus;
    const QString burger = corpus.write("buerger.txt", "B\xfcrger");
    corpus.write("aerger.txt", "\xc4rger");
    const QByteArray directory = QFile::encodeName(corpus.path());

    const CliResult pattern = runToolWithBytes({"B\xfcrger", directory});
    EXPECT_EQ(pattern.status, 2);
    EXPECT_TRUE(pattern.err.startsWith(
        "qvx-cli: MUSTER ist kein gültiges UTF-8: Byte 2 (0xFC). Mit --pattern-encoding "
        "windows-1252 wird es als Windows-1252 gelesen."))
        << pattern.err.constData();
    const CliResult exclude = runToolWithBytes({"-x", "\xc3\xa4\xe4", "rger", directory});
    EXPECT_TRUE(exclude.err.contains("-x ist kein gültiges UTF-8: Byte 3 (0xE4)"))
        << exclude.err.constData();
    EXPECT_EQ(exclude.out, QByteArray());

    const CliResult decoded =
        runToolWithBytes({"-q", "--pattern-encoding", "windows-1252", "B\xfcrger", directory});
    EXPECT_EQ(decoded.status, 0) << decoded.err.constData();
    EXPECT_EQ(QString::fromUtf8(decoded.out), burger + "\t1\t12.5\t-1\t-1\n");
}

// A path beyond PATH_MAX names a folder that is there; the walk must say so, not call it missing.
TEST(CliArguments, AFolderTooDeepToNameGivesThatReason)
{
    TempCorpus corpus;
    const std::string name(200, 'd');
    std::vector<int> levels{::open(QFile::encodeName(corpus.path()).constData(), O_DIRECTORY)};
    while (levels.size() < 25 && levels.back() >= 0) {
        ::mkdirat(levels.back(), name.c_str(), 0700);
        levels.push_back(::openat(levels.back(), name.c_str(), O_DIRECTORY));
    }
    ASSERT_GE(levels.back(), 0);

    const CliResult result = runTool({"-q", "-r", "x", corpus.path()});
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.err.contains("zu lang")) << result.err.right(200).constData();
    EXPECT_FALSE(result.err.contains("nicht vorhanden"));

    // QTemporaryDir removes by paths, which cannot name the deepest folders.
    for (size_t i = levels.size() - 1; i > 0; --i) {
        ::close(levels[i]);
        ::unlinkat(levels[i - 1], name.c_str(), AT_REMOVEDIR);
    }
    ::close(levels[0]);
}

TEST(CliArguments, AutomaticEncodingReadsEachTextAsItsOwnEncodingWould)
{
    TempCorpus corpus;
    const QString letter = QString::fromUtf8("Bürger ... Größere Änderungen");
    corpus.write("ansi.txt", letter.toLatin1());
    corpus.write("ascii.txt", "Buerger");
    corpus.write("utf8.txt", letter.toUtf8());
    const QString hint = QStringLiteral("qvx-cli: 1 Text ist offenbar in UTF-8 gespeichert");
    for (const QStringList &mode : {QStringList(), QStringList{"-s"}}) {
        const auto run = [&](const QString &encoding) {
            return runTool(mode + QStringList{"-q", "--encoding", encoding,
                                              QString::fromUtf8("Größere"), corpus.path()});
        };
        const CliResult windows = run("windows-1252");
        const CliResult utf8 = run("utf-8");
        const CliResult automatic = run("auto");
        EXPECT_EQ(windows.out.count('\n'), 1);
        EXPECT_EQ(utf8.out.count('\n'), 1);
        EXPECT_EQ(automatic.out, windows.out + utf8.out);
        // Only the run that read a UTF-8 text as Windows-1252 tells of it.
        EXPECT_TRUE(QString::fromUtf8(windows.err).startsWith(hint)) << windows.err.constData();
        EXPECT_TRUE(windows.err.contains("--encoding auto"));
        EXPECT_EQ(utf8.err, QByteArray());
        EXPECT_EQ(automatic.err, QByteArray());
    }
}
