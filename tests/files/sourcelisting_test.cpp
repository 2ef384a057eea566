#include "errors/qvxerror.h"
#include "files/sourcelisting.h"
#include "fixtures.h"
#include "permissionsenforced.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QSet>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString errorOf(const QString &directory)
{
    try {
        listSourceTexts(directory);
    } catch (const QvxError &error) {
        return error.message();
    }
    return QString();
}

} // namespace

TEST(SourceListing, TakesTxtFilesOfAnyCaseButNoHiddenFilesOrSubdirectories)
{
    LocaleScope locale(germanLocale());
    TempCorpus corpus;
    corpus.write(QStringLiteral("b.txt"), "b");
    corpus.write(QStringLiteral("A.TXT"), "a");
    corpus.write(QStringLiteral("c.doc"), "c");
    corpus.write(QStringLiteral(".d.txt"), "d");
    corpus.write(QStringLiteral("e.txt/inner.txt"), "e");
    corpus.write(QStringLiteral("f.txt.bak"), "f");
    EXPECT_EQ(listSourceTexts(corpus.path()),
              (QStringList{QStringLiteral("A.TXT"), QStringLiteral("b.txt")}));
}

TEST(SourceListing, SortsByTheLocaleCollationIgnoringCase)
{
    LocaleScope locale(germanLocale());
    TempCorpus corpus;
    for (const char *name : {"Zebra.txt", "b.txt", "äpfel.txt", "Ast.txt"})
        corpus.write(QString::fromUtf8(name), "x");
    // Code unit order would put "Zebra" before "b" and "äpfel" last.
    EXPECT_EQ(listSourceTexts(corpus.path()),
              (QStringList{QStringLiteral("äpfel.txt"), QStringLiteral("Ast.txt"),
                           QStringLiteral("b.txt"), QStringLiteral("Zebra.txt")}));
}

TEST(SourceListing, NamesEqualButForCaseKeepAFixedOrder)
{
    LocaleScope locale(germanLocale());
    TempCorpus corpus;
    corpus.write(QStringLiteral("a.txt"), "x");
    corpus.write(QStringLiteral("A.txt"), "x");
    const QStringList names = listSourceTexts(corpus.path());
    ASSERT_EQ(names.size(), 2);
    EXPECT_EQ(names.front().compare(names.back(), Qt::CaseInsensitive), 0);
    EXPECT_EQ(listSourceTexts(corpus.path()), names);
    EXPECT_EQ(listSourcePaths(corpus.path()), sourcePaths(corpus.path(), names));
}

// A directory this large is sorted in two halves that are merged; the order must be the one a
// single sort by pairwise comparison gives.
TEST(SourceListing, ALargeDirectoryIsSortedAndJoinedAsASmallOne)
{
    LocaleScope locale(germanLocale());
    TempCorpus corpus;
    const QStringList starts{QStringLiteral("ä"), QStringLiteral("A"), QStringLiteral("b"),
                             QStringLiteral("B"), QStringLiteral("Zebra ")};
    QStringList expected;
    for (int i = 0; i < 9000; ++i) {
        expected << starts[i % starts.size()] + QString::number(9000 - i) + QStringLiteral(".txt");
        corpus.write(expected.back(), "x");
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(expected.begin(), expected.end(), [&collator](const QString &a, const QString &b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    const QStringList names = listSourceTexts(corpus.path());
    ASSERT_EQ(names, expected);
    const QStringList paths = sourcePaths(corpus.path(), names);
    ASSERT_EQ(paths.size(), names.size());
    for (qsizetype i = 0; i < paths.size(); i += 997)
        EXPECT_EQ(paths[i], QDir::toNativeSeparators(corpus.path()) + QDir::separator() + names[i]);
    EXPECT_EQ(paths.back(),
              QDir::toNativeSeparators(corpus.path()) + QDir::separator() + names.back());
    EXPECT_EQ(listSourcePaths(corpus.path()), paths);
}

// Names of ASCII alone are put in order by a quicker way, which must give the collation's order
// for every printable character, also when a large directory is sorted in two halves, and must
// step aside for a language that sorts a sequence of letters as one ("ch" comes after "h" in
// Czech).
TEST(SourceListing, AsciiNamesTakeTheCollationsOrderAlsoWhereLettersCombine)
{
    const auto collationSorted = [](QStringList names) {
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::sort(names.begin(), names.end(), [&collator](const QString &a, const QString &b) {
            const int order = collator.compare(a, b);
            return order != 0 ? order < 0 : a < b;
        });
        return names;
    };
    std::mt19937 random(20261211);
    QStringList names{"ch.txt", "d.txt", "h.txt", "i.txt", "Ch2.txt"};
    QSet<QString> taken(names.begin(), names.end());
    while (names.size() < 8400) {
        QString name;
        for (int i = 0, length = 1 + int(random() % 8); i < length; ++i) {
            const char c = char(0x20 + random() % 95);
            // No separator, and no resource path (":...") for the fixture that writes the file.
            name += QLatin1Char(c == '/' || c == ':' ? 'x' : c);
        }
        if (!name.startsWith('.') && !taken.contains(name + ".txt")) {
            names << name + ".txt";
            taken.insert(names.back());
        }
    }
    for (const auto &[language, count] : {std::pair{germanLocale(), names.size()},
                                          std::pair{QLocale(QLocale::Czech), qsizetype(600)}}) {
        LocaleScope locale(language);
        TempCorpus corpus;
        const QStringList written = names.mid(0, count);
        for (const QString &name : written)
            corpus.write(name, "x");
        EXPECT_EQ(listSourceTexts(corpus.path()), collationSorted(written));
    }
}

TEST(SourceListing, EmptyDirectoryGivesNoNames)
{
    TempCorpus corpus;
    corpus.write(QStringLiteral("notes.md"), "x");
    EXPECT_TRUE(listSourceTexts(corpus.path()).isEmpty());
}

TEST(SourceListing, DirectoryThatCannotBeEnteredRaisesAGermanError)
{
    TempCorpus corpus;
    const QString removed = corpus.filePath(QStringLiteral("weg"));
    ASSERT_TRUE(QDir().mkdir(removed));
    ASSERT_TRUE(QDir().rmdir(removed));
    EXPECT_EQ(errorOf(removed), QStringLiteral("Das Verzeichnis %1 ist nicht vorhanden.")
                                    .arg(QDir::toNativeSeparators(removed)));

    const QString file = corpus.write(QStringLiteral("a.txt"), "x");
    EXPECT_EQ(errorOf(file),
              QStringLiteral("%1 ist kein Verzeichnis.").arg(QDir::toNativeSeparators(file)));

    // A loop of links hides whatever is there; it is not a missing directory.
    const QString loop = corpus.filePath(QStringLiteral("schleife"));
    ASSERT_TRUE(QFile::link(loop, loop));
    EXPECT_EQ(errorOf(loop), QStringLiteral("Das Verzeichnis %1 kann nicht gelesen werden. Der "
                                            "Name der Datei kann vom System nicht aufgelöst "
                                            "werden.")
                                 .arg(QDir::toNativeSeparators(loop)));
}

#ifdef Q_OS_UNIX
TEST(SourceListing, UnreadableDirectoryRaisesAGermanError)
{
    TempCorpus corpus;
    const QString locked = corpus.filePath(QStringLiteral("gesperrt"));
    ASSERT_TRUE(QDir().mkdir(locked));
    QFile::setPermissions(locked, QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QString message;
    {
        PermissionsEnforced enforced;
        if (PermissionsEnforced::directoryReadable(locked)) {
            QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
            GTEST_SKIP() << "this system lists a directory without read permission";
        }
        message = errorOf(locked);
    }
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(message,
              QStringLiteral("Das Verzeichnis %1 kann nicht gelesen werden. Zugriff verweigert.")
                  .arg(QDir::toNativeSeparators(locked)));
}
#endif

#ifdef Q_OS_UNIX
TEST(SourceListing, LinksToFilesCountButOtherLinksPipesAndDotFilesDoNot)
{
    LocaleScope locale(germanLocale());
    TempCorpus corpus;
    const QString target = corpus.write(QStringLiteral("ziel/text.md"), "x");
    corpus.write(QStringLiteral("c.Txt"), "x");
    corpus.write(QStringLiteral("D.tXT"), "x");
    corpus.write(QStringLiteral(".E.TXT"), "x");
    ASSERT_TRUE(QDir(corpus.path()).mkdir(QStringLiteral("unter.TXT")));
    const auto link = [&](const QString &to, const char *name) {
        ASSERT_TRUE(QFile::link(to, corpus.filePath(QString::fromLatin1(name))));
    };
    link(target, "verweis.txt");
    link(corpus.filePath(QStringLiteral("ziel")), "ordnerverweis.txt");
    link(corpus.filePath(QStringLiteral("fehlt.md")), "toter-verweis.txt");
    link(target, ".versteckt.txt");
    const QByteArray pipe = QFile::encodeName(corpus.filePath(QStringLiteral("rohr.txt")));
    ASSERT_EQ(mkfifo(pipe.constData(), 0600), 0);

    // A link to a file counts as that file; links to directories or to nothing, pipes, dot
    // files and directories do not.
    const QStringList expected{QStringLiteral("c.Txt"), QStringLiteral("D.tXT"),
                               QStringLiteral("verweis.txt")};
    EXPECT_EQ(listSourceTexts(corpus.path()), expected);
    EXPECT_EQ(QDir(corpus.path())
                  .entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name | QDir::IgnoreCase),
              expected);
}
#endif

TEST(SourcePaths, JoinsTheDirectoryUnchangedWithTheSeparator)
{
    const QString sep = QDir::separator();
    EXPECT_EQ(sourcePaths(QStringLiteral("/daten/korpus"),
                          {QStringLiteral("A.TXT"), QStringLiteral("b.txt")}),
              (QStringList{QDir::toNativeSeparators(QStringLiteral("/daten/korpus")) + sep +
                               QStringLiteral("A.TXT"),
                           QDir::toNativeSeparators(QStringLiteral("/daten/korpus")) + sep +
                               QStringLiteral("b.txt")}));
    // The root already ends in a separator; it is not removed, so it stands twice.
    EXPECT_EQ(
        sourcePaths(QDir::rootPath(), {QStringLiteral("a.txt")}),
        QStringList{QDir::toNativeSeparators(QDir::rootPath()) + sep + QStringLiteral("a.txt")});
#ifdef Q_OS_UNIX
    EXPECT_EQ(sourcePaths(QStringLiteral("/"), {QStringLiteral("a.txt")}),
              QStringList{QStringLiteral("//a.txt")});
#endif
    EXPECT_TRUE(sourcePaths(QStringLiteral("/x"), {}).isEmpty());
}
