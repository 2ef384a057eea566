#include "clitool.h"
#include "fixtures.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

// The record is written after the copies and names them; repeated over the same texts it says
// "gleich", over changed ones what changed, and it never replaces a file.
TEST(CliProtocol, ARecordWrittenAndRepeatedSaysWhetherTheResultIsTheSame)
{
    TempCorpus corpus;
    const QString one = corpus.write("quellen/eins.txt", "Haus Haus");
    const QString two = corpus.write("quellen/zwei.txt", "Haus");
    const QString three = corpus.write("quellen/drei.txt", "Haus und Hof");
    corpus.write("quellen/vier.txt", "Hof");
    const QString target = corpus.filePath("ziel");
    // Relative paths, which the record names in full so that it can be repeated anywhere.
    const QStringList command{"--copy-to", "ziel", "--protocol", "--sort", "f",
                              "-w",        "Hof",  "Haus",       "quellen"};
    const CliResult made = runToolIn(corpus.path(), command);
    ASSERT_EQ(made.status, 0) << made.err.constData();
    EXPECT_EQ(entriesOf(target),
              (QStringList{"drei.txt", "eins.txt", "qvx-protokoll.json", "zwei.txt"}));

    const QString record = target + "/qvx-protokoll.json";
    const QJsonObject json = QJsonDocument::fromJson(fileBytes(record)).object();
    EXPECT_EQ(json.value("program").toString(), "qvx-cli");
    EXPECT_EQ(json.value("command").toArray().toVariantList().size(), command.size() + 1);
    EXPECT_EQ(json.value("search").toObject().value("weight").toString(), "Hof");
    const QJsonArray texts = json.value("texts").toArray();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts[0].toObject().value("path").toString(), one);
    EXPECT_EQ(texts[0].toObject().value("f").toInt(), 2);
    EXPECT_EQ(json.value("sources").toArray()[0].toString(), corpus.filePath("quellen"));

    const CliResult same = runTool({"--repeat", record});
    EXPECT_EQ(same.status, 0) << same.err.constData();
    EXPECT_TRUE(same.out.startsWith("gleich: 3 Texte")) << same.out.constData();

    corpus.write("quellen/zwei.txt", "Haus Haus Haus");
    QFile::remove(three);
    const QString five = corpus.write("quellen/fünf.txt", "Haus");
    const CliResult changed = runTool({"--repeat", record, "-q"});
    EXPECT_EQ(changed.status, 1);
    EXPECT_EQ(QString::fromUtf8(changed.out),
              "fehlt: " + three + "\ngeändert: " + two +
                  ": f 1 → 3, % 16.6666666666667 → 18.75, G 1 → 3\nneu: " + five +
                  " (f 1, % 16.6666666666667, fB 0, G 1)\n");

    EXPECT_EQ(runTool({"--repeat", record, "Haus"}).status, 2);
    EXPECT_EQ(runTool({"--repeat", record, "--sort", "f"}).status, 2);
    EXPECT_EQ(runTool({"--protocol", "Haus", one}).status, 2);
    EXPECT_EQ(runTool({"--repeat", corpus.filePath("quellen/vier.txt")}).status, 2);

    // The record's name is taken: the copies stay, the file there is kept, the run fails.
    const QString other = corpus.filePath("ziel2");
    const QString taken = corpus.write("qvx-protokoll.json", "Haus im Protokoll");
    const CliResult clash = runTool({"--copy-to", other, "--protocol", "Haus", one, taken});
    EXPECT_EQ(clash.status, 2);
    EXPECT_EQ(fileBytes(other + "/qvx-protokoll.json"), QByteArray("Haus im Protokoll"));
}
