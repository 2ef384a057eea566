#include "errors/qvxerror.h"
#include "files/linebreaks.h"
#include "files/piecereader.h"
#include "files/sourcefile.h"
#include "files/textloading.h"
#include "fixtures.h"
#include "loadtext.h"
#include "search/simplescan.h"
#include "text/codepage.h"
#include "text/utf8decoding.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <atomic>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

QByteArray normalized(const QByteArray &raw)
{
    QByteArray out("stale content that must be replaced");
    normalizeLineBreaks(raw.constData(), raw.size(), out);
    return out;
}

} // namespace

TEST(LineBreaks, EveryLineEndsWithCrLf)
{
    EXPECT_EQ(normalized("abc"), QByteArray("abc\r\n"));
    EXPECT_EQ(normalized("a\nb\nc\n"), QByteArray("a\r\nb\r\nc\r\n"));
    EXPECT_EQ(normalized("a\r\nb\r\n"), QByteArray("a\r\nb\r\n"));
    EXPECT_EQ(normalized("a\rb"), QByteArray("a\r\nb\r\n"));
    EXPECT_EQ(normalized("a\n\rb"), QByteArray("a\r\n\r\nb\r\n"));
    EXPECT_EQ(normalized("\n"), QByteArray("\r\n"));
    EXPECT_EQ(normalized("\r"), QByteArray("\r\n"));
    EXPECT_EQ(normalized("\r\n\r\n"), QByteArray("\r\n\r\n"));
    EXPECT_EQ(normalized("\n\n\r\r"), QByteArray("\r\n\r\n\r\n\r\n"));
    EXPECT_EQ(normalized("x\r\r\ny"), QByteArray("x\r\n\r\ny\r\n"));
    EXPECT_EQ(normalized(""), QByteArray());
}

TEST(LineBreaks, TextsOfManyLoneBreaksOutgrowTheFirstRoom)
{
    // More breaks that double than the room made at first allows, at the start, in the middle
    // and at the end of a text.
    EXPECT_EQ(normalized(QByteArray(1000, '\n')), QByteArray(1000, '\r').replace("\r", "\r\n"));
    QByteArray alternating;
    QByteArray expected;
    for (int i = 0; i < 500; ++i) {
        alternating += "a\r";
        expected += "a\r\n";
    }
    EXPECT_EQ(normalized(alternating), expected);
    EXPECT_EQ(normalized(QByteArray(200, 'x') + QByteArray(300, '\r') + "y"),
              QByteArray(200, 'x') + QByteArray(300, '\r').replace("\r", "\r\n") + "y\r\n");
}

TEST(LineBreaks, FirstNulEndsTheText)
{
    EXPECT_EQ(normalized(QByteArray("ab\0cd\n", 6)), QByteArray("ab\r\n"));
    EXPECT_EQ(normalized(QByteArray("ab\r\0cd", 6)), QByteArray("ab\r\n"));
    EXPECT_EQ(normalized(QByteArray("\0abc", 4)), QByteArray());
    EXPECT_EQ(normalized(QByteArray("a\0\0", 3)), QByteArray("a\r\n"));
}

TEST(LineBreaks, RuledLengthIsTheLengthOfTheRuledText)
{
    // Long texts cross the sixteen-byte blocks and the flushes of the byte counters at every
    // offset; breaks are frequent so that CR LF falls on every block boundary.
    std::mt19937 random(20261211);
    const char alphabet[] = {'a', '\r', '\n', '\xE4'};
    for (const int size : {0, 1, 2, 15, 16, 17, 18, 33, 4096, 4097, 4127, 9000}) {
        for (int round = 0; round < 20; ++round) {
            QByteArray raw;
            for (int i = 0; i < size; ++i)
                raw.append(alphabet[random() % 4]);
            ASSERT_EQ(lineRuledLength(raw.constData(), raw.size()), normalized(raw).size())
                << raw.toHex().constData();
        }
    }
}

TEST(TextLoading, LoadsWindows1252WithTheLineRule)
{
    TempCorpus corpus;
    const QString abc = corpus.write("abc.txt", "abc");
    EXPECT_EQ(loadText(abc), QString("abc\r\n"));
    EXPECT_EQ(loadText(abc).size(), 5);

    const QString lines = corpus.write("lines.txt", "a\nb\nc\n");
    EXPECT_EQ(loadText(lines), QString("a\r\nb\r\nc\r\n"));
    EXPECT_EQ(loadText(lines).size(), 9);

    EXPECT_EQ(loadText(corpus.write("lfcr.txt", "a\n\rb")), QString("a\r\n\r\nb\r\n"));
    EXPECT_EQ(loadText(corpus.write("cr.txt", "a\rb\r")), QString("a\r\nb\r\n"));
    EXPECT_EQ(loadText(corpus.write("nul.txt", QByteArray("\0abc", 4))), QString());
    EXPECT_EQ(loadText(corpus.write("midnul.txt", QByteArray("ab\0c", 4))), QString("ab\r\n"));
    EXPECT_EQ(loadText(corpus.write("empty.txt", QByteArray())), QString());

    // No byte-order mark is recognised: UTF-8 files read as Windows-1252.
    const QString bom = corpus.write("bom.txt", "\xEF\xBB\xBF\xC3\xA4");
    EXPECT_EQ(loadText(bom), QString("ï»¿Ã¤\r\n"));
    EXPECT_EQ(loadText(bom).size(), 7);
    EXPECT_EQ(loadText(corpus.write("euro.txt", "\x80")), QString("€\r\n"));
}

#ifdef Q_OS_LINUX
TEST(TextLoading, ReadsNoMoreThanTheSizeTheFileHadWhenOpened)
{
    // The kernel's files report no size, and /dev/zero never ends.
    EXPECT_EQ(loadText(QStringLiteral("/proc/self/status")), QString());
    TempCorpus corpus;
    const QString zero = corpus.filePath(QStringLiteral("null.txt"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    try {
        loadText(zero);
        ADD_FAILURE() << "a device must be refused";
    } catch (const QvxError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Datei %1 kann nicht geöffnet werden. Die Datei ist "
                                              "keine gewöhnliche Datei, sondern ein Gerät, eine "
                                              "Pipe oder ein Socket")
                                   .arg(zero));
    }
}
#endif

TEST(TextLoading, Utf8LoaderAgreesWithLoadText)
{
    TempCorpus corpus;
    QByteArray big;
    for (int i = 0; i < 50000; ++i)
        big.append("Zeile \xE4\xF6\xFC\x80 mit Umbruch\n");
    const QByteArray samples[] = {
        QByteArray(),
        QByteArray("abc"),
        QByteArray("\xEF\xBB\xBF\xC3\xA4\r\n\x81\x8D\x8F\x90\x9D\n\r"),
        QByteArray("vor\0nach", 8),
        big,
        // More than the loader's first room: three UTF-8 bytes for every byte.
        QByteArray(100000, '\x80'),
        QByteArray("short again"),
    };
    TextLoader loader;
    std::string utf8 = "left over from an earlier file";
    int index = 0;
    for (const QByteArray &bytes : samples) {
        const QString path = corpus.write(QString("sample%1.txt").arg(index++), bytes);
        const QString text = loadText(path);
        const TextLoader::Utf8Text loaded = loader.loadUtf8(path);
        utf8.assign(loaded.utf8);
        EXPECT_EQ(QByteArray::fromStdString(utf8), text.toUtf8()) << path.toStdString();
        EXPECT_EQ(loaded.length, text.size()) << path.toStdString();

        // The bytes as they stand, with the length of the same text.
        const auto raw = loader.loadRawWindows1252(path, bytes.size());
        ASSERT_TRUE(raw.has_value());
        const qsizetype nul = bytes.indexOf('\0');
        EXPECT_EQ(QByteArray(raw->data(), qsizetype(raw->size())),
                  bytes.left(nul < 0 ? bytes.size() : nul));
        EXPECT_EQ(lineRuledLength(raw->data(), qsizetype(raw->size())), text.size())
            << path.toStdString();
        if (!bytes.isEmpty()) {
            EXPECT_FALSE(loader.loadRawWindows1252(path, bytes.size() - 1).has_value());
        }
    }
}

TEST(TextLoading, UnreadablePathsThrowTheGermanMessage)
{
    TempCorpus corpus;
    const QString missing = corpus.filePath("fehlt.txt");
    try {
        loadText(missing);
        FAIL() << "a missing file must throw";
    } catch (const QvxError &e) {
        EXPECT_EQ(e.message(), QString("Datei ") + missing +
                                   " kann nicht geöffnet werden. Das System kann die angegebene "
                                   "Datei nicht finden");
    }

    const QString target = corpus.write("ziel.txt", "x");
#ifdef Q_OS_UNIX
    const QString link = corpus.filePath("verweis.txt");
    ASSERT_TRUE(QFile::link(corpus.filePath("weg.txt"), link));
    try {
        TextLoader().loadUtf8(link);
        FAIL() << "a dangling link must throw";
    } catch (const QvxError &e) {
        EXPECT_TRUE(
            e.message().startsWith(QString("Datei ") + link + " kann nicht geöffnet werden. "));
        EXPECT_TRUE(e.message().endsWith("Das System kann die angegebene Datei nicht finden"));
    }
#endif

    QDir(corpus.path()).mkdir("ordner.txt");
    const QString dir = corpus.filePath("ordner.txt");
    try {
        loadText(dir);
        FAIL() << "a directory must throw";
    } catch (const QvxError &e) {
        EXPECT_EQ(e.message(), QString("Datei ") + dir +
                                   " kann nicht geöffnet werden. Der angegebene Pfad ist ein "
                                   "Verzeichnis");
    }
    EXPECT_EQ(loadText(target), QString("x\r\n"));
}

TEST(TextLoading, LoaderReadsFilesAroundItsBufferSizesWhole)
{
    TempCorpus corpus;
    TextLoader loader;
    // Around the first buffer size and its doubling, also after a larger file left its content.
    int index = 0;
    // Around the block size too, where a short read may not be the end of the file.
    for (qsizetype size : {131073, 65535, 65536, 65537, 1, 131072, 70000, 4095, 4096, 4097, 8192}) {
        QByteArray bytes;
        for (qsizetype i = 0; i < size; ++i)
            bytes.append(i % 61 == 60 ? '\n' : char('a' + (i + index) % 26));
        const QString path = corpus.write(QString("size%1.txt").arg(index++), bytes);
        const QString text = loadText(path);
        const TextLoader::Utf8Text utf8 = loader.loadUtf8(path);
        EXPECT_EQ(QByteArray(utf8.utf8.data(), qsizetype(utf8.utf8.size())), text.toUtf8()) << size;
        EXPECT_EQ(utf8.length, text.size()) << size;
        const std::string_view bytes1252 = loader.loadWindows1252(path, false);
        EXPECT_EQ(QByteArray(bytes1252.data(), qsizetype(bytes1252.size())), cp1252::encode(text))
            << size;
    }
}

#ifdef Q_OS_UNIX
TEST(TextLoading, ReadingEndsAtTheFirstNulOfAHugeFile)
{
    TempCorpus corpus;
    const QString path = corpus.write(QStringLiteral("leer.txt"), "Anfang\n");
    // Sparse: four gigabytes of NUL that take no room on the disk, and would take it in memory.
    ASSERT_TRUE(QFile::resize(path, qint64(4) << 30));
    EXPECT_EQ(loadText(path), QStringLiteral("Anfang\r\n"));
    TextLoader loader;
    EXPECT_EQ(loader.loadUtf8(path).utf8, "Anfang\r\n");
}

TEST(TextLoading, APipeWithoutWriterIsRefusedWithoutWaiting)
{
    TempCorpus corpus;
    const QString path = corpus.filePath(QStringLiteral("pipe.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    TextLoader loader;
    EXPECT_THROW(loader.loadUtf8(path), QvxError);
    EXPECT_THROW(loader.loadWindows1252(path, false), QvxError);
    EXPECT_THROW(loadText(path), QvxError);
}
#endif

TEST(TextLoading, LoaderGivesLowerCasedBytesOfTheText)
{
    TempCorpus corpus;
    QByteArray bytes;
    for (int b = 1; b < 256; ++b)
        bytes.append(char(b));
    const QString path = corpus.write("alle.txt", bytes);
    QString expected = loadText(path);
    lowerCaseUnits(expected);
    TextLoader loader;
    const std::string_view lowered = loader.loadWindows1252(path, true);
    EXPECT_EQ(cp1252::decode(lowered.data(), qsizetype(lowered.size())), expected);
    const std::string_view unchanged = loader.loadWindows1252(path, false);
    EXPECT_EQ(cp1252::decode(unchanged.data(), qsizetype(unchanged.size())), loadText(path));
}

TEST(TextLoading, LoaderReportsUnreadablePathsLikeLoadText)
{
    TempCorpus corpus;
    QDir(corpus.path()).mkdir("ordner.txt");
    // The held directory of a missing one gives its texts the message of the whole path.
    const QString paths[] = {corpus.filePath("ordner.txt"), corpus.filePath("fehlt.txt"),
                             corpus.filePath("fehlt/a.txt")};
    for (const QString &path : paths) {
        for (const bool held : {false, true}) {
            QString expected;
            try {
                loadText(path);
            } catch (const QvxError &e) {
                expected = e.message();
            }
            ASSERT_FALSE(expected.isEmpty()) << path.toStdString();
            TextLoader loader;
            if (held)
                loader.holdDirectories();
            try {
                loader.loadUtf8(path);
                ADD_FAILURE() << "loadUtf8 must throw for " << path.toStdString();
            } catch (const QvxError &e) {
                EXPECT_EQ(e.message(), expected);
            }
            try {
                loader.loadWindows1252(path, true);
                ADD_FAILURE() << "loadWindows1252 must throw for " << path.toStdString();
            } catch (const QvxError &e) {
                EXPECT_EQ(e.message(), expected);
            }
        }
    }
}

TEST(TextLoading, LoaderFindsEachFileByItsOwnNameFromLongToShort)
{
    TempCorpus corpus;
    // Each file's content is its name, so a path left over from the previous file would show.
    const QString names[] = {QStringLiteral("ordner-mit-langem-namen/Übersicht für Bücher.txt"),
                             QStringLiteral("a.txt"),
                             QStringLiteral("Straße.txt"),
                             QStringLiteral("Strasse.txt"),
                             QStringLiteral("日本.txt"),
                             QStringLiteral("b.txt")};
    for (const QString &name : names)
        corpus.write(name, name.toLatin1());
    TextLoader loader;
    TextLoader held;
    held.holdDirectories();
    for (const QString &name : names) {
        const QString path = corpus.filePath(name);
        // Inside the directory held open, which changes between the first two texts.
        EXPECT_EQ(held.loadWindows1252(path, false), loader.loadWindows1252(path, false))
            << path.toStdString();
        const std::string_view bytes = loader.loadWindows1252(path, false);
        EXPECT_EQ(cp1252::decode(bytes.data(), qsizetype(bytes.size())), loadText(path))
            << path.toStdString();
        EXPECT_EQ(QByteArray(bytes.data(), qsizetype(bytes.size())), name.toLatin1() + "\r\n")
            << path.toStdString();
    }
    // A path that exists only in another spelling is still missing.
    EXPECT_THROW(loader.loadUtf8(corpus.filePath(QStringLiteral("Strase.txt"))), QvxError);
    EXPECT_THROW(held.loadUtf8(corpus.filePath(QStringLiteral("Strase.txt"))), QvxError);
}

TEST(TextLoading, PiecesThatEndInsideACrLfOrACharacterGiveTheWholeText)
{
    TempCorpus corpus;
    // Every piece size from one byte up ends a piece inside each of these: CR LF, LF CR, a
    // byte-order mark, two- to four-byte sequences, sequences cut short or broken by a line end.
    const QByteArray samples[] = {
        QByteArray("a\r\nb\rc\n\r\nd\r"),
        QByteArray("\xEF\xBB\xBF\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80\r\n\xC3"),
        QByteArray("\xEF\xBB"),
        QByteArray("x\xE2\x82\r\n\xF0\x9F\x98\n\xC3\xA4\xE4\x80\x9F\r"),
        QByteArray("\xF0\x9F\x98\x80\xED\xA0\x80\xC0\xAF plain ascii words\r\n\r"),
    };
    TextLoader windows;
    TextLoader utf8(SourceEncoding::Utf8);
    int index = 0;
    for (const QByteArray &bytes : samples) {
        const QString path = corpus.write(QString("piece%1.txt").arg(index++), bytes);
        const QString text = loadText(path);
        QString decoded;
        decodeUtf8Text(bytes.constData(), bytes.size(), decoded);
        QString lowered = text;
        lowerCaseUnits(lowered);
        for (qsizetype piece : {1, 2, 3, 5, 7}) {
            windows.setPieceSize(piece);
            utf8.setPieceSize(piece);
            const std::string label = path.toStdString() + " in pieces of " + std::to_string(piece);
            const TextLoader::Utf8Text fromWindows = windows.loadUtf8(path);
            EXPECT_EQ(
                QString::fromUtf8(fromWindows.utf8.data(), qsizetype(fromWindows.utf8.size())),
                text)
                << label;
            EXPECT_EQ(fromWindows.length, text.size()) << label;
            const std::string_view lower = windows.loadWindows1252(path, true);
            EXPECT_EQ(cp1252::decode(lower.data(), qsizetype(lower.size())), lowered) << label;
            const std::string_view raw = windows.loadWindows1252(path, false, false);
            EXPECT_EQ(QByteArray(raw.data(), qsizetype(raw.size())), bytes) << label;
            const TextLoader::Utf8Text fromUtf8 = utf8.loadUtf8(path);
            EXPECT_EQ(QString::fromUtf8(fromUtf8.utf8.data(), qsizetype(fromUtf8.utf8.size())),
                      decoded)
                << label;
            EXPECT_EQ(fromUtf8.length, decoded.size()) << label;
            EXPECT_EQ(utf8.loadUtf16(path), decoded) << label;
            // Giving the pages back leaves the next load whole.
            utf8.releaseLargeBuffers(0);
        }
    }
}

TEST(TextLoading, ReadsTheSizeAtOpeningOfAFileThatGrowsAndToTheEndOfOneThatShrinks)
{
    TempCorpus corpus;
    const QString path = corpus.write("wechselnd.txt", "abcdefghij");
    QFile other(path);
    ASSERT_TRUE(other.open(QIODevice::ReadWrite));
    const auto readAll = [&path](const SourceFile &file) {
        PieceReader reader(file, path, std::numeric_limits<qsizetype>::max());
        QByteArray read;
        char piece[3];
        while (!reader.ended())
            read.append(piece, reader.next(piece, sizeof piece));
        return read;
    };
    {
        const SourceFile file(path);
        other.seek(10);
        other.write("klmnop");
        other.flush();
        EXPECT_EQ(readAll(file), QByteArray("abcdefghij"));
    }
    {
        const SourceFile file(path);
        other.resize(4);
        EXPECT_EQ(readAll(file), QByteArray("abcd"));
    }
}

TEST(TextLoading, ASetCancellationFlagStopsTheLoad)
{
    TempCorpus corpus;
    const QString path = corpus.write("text.txt", "abc\n");
    std::atomic<bool> cancelled{false};
    TextLoader loader;
    loader.setCancellation(&cancelled);
    EXPECT_EQ(loader.loadUtf8(path).utf8, "abc\r\n");
    cancelled = true;
    try {
        loader.loadWindows1252(path, false);
        ADD_FAILURE() << "a cancelled load must throw";
    } catch (const LoadCancelled &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Das Lesen wurde abgebrochen"));
    }
    EXPECT_THROW(loader.loadUtf8(path), LoadCancelled);
}
