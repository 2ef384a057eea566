#include "permissionsenforced.h"
#include "smalldisk.h"
#include "sourcelistfixture.h"
#include "window/search/filelisteadd.h"
#include "window/sources/copyfileex.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sources with odd names, links and locks on their way from the listing through the search into
// a subcorpus, and targets that cannot be created: the sources never change, and a target gets
// whole files or nothing.
class SavingFaultsTest : public SourceListTest
{
protected:
    QString target(const QString &name = QString()) const
    {
        const QString directory = corpus.filePath(QStringLiteral("Ziel"));
        return name.isEmpty() ? directory : directory + QDir::separator() + name;
    }
    static QStringList entries(const QString &directory)
    {
        return QDir(directory).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }
    void addDirectory(const QString &directory)
    {
        dialogs->answerSourceDirectory(directory);
        click("Button2");
    }
    QProgressBar *bar2() const { return find<QProgressBar>("bar2"); }
};

} // namespace

TEST_F(SavingFaultsTest, OddNamesAndLinksTravelUnchangedFromTheListingIntoTheSubcorpus)
{
    const QString directory = corpusDirectory(QStringLiteral("Korpus mit Leerzeichen/Ärger ß"));
    const QByteArray umlauts("Gr\xF6\xDF"
                             "e a\r\n");
    const QString sizes =
        corpus.write(QStringLiteral("Korpus mit Leerzeichen/Ärger ß/Größe.txt"), umlauts);
    const QString foreign =
        corpus.write(QStringLiteral("Korpus mit Leerzeichen/Ärger ß/Łódź 東京.txt"), "a b\r\n");
    const QString link = directory + QStringLiteral("/verweis.txt");
    ASSERT_TRUE(QFile::link(sizes, link));
    const QString dangling = directory + QStringLiteral("/weg.txt");
    ASSERT_TRUE(QFile::link(directory + QStringLiteral("/gibt es nicht.txt"), dangling));

    // A link that leads nowhere is no file and stays out of the list.
    addDirectory(directory);
    const QStringList sources{sizes, foreign, link};
    ASSERT_EQ(boxTexts(), sources);

    search();
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(rowCaptions(), sources);
    setText("zielverz", target());
    click("Button4");

    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(entries(target()),
              (QStringList{QStringLiteral("Größe.txt"), QStringLiteral("verweis.txt"),
                           QStringLiteral("Łódź 東京.txt")}));
    EXPECT_EQ(fileBytes(target(QStringLiteral("Łódź 東京.txt"))), QByteArray("a b\r\n"));
    // The copy of a link is a file with the linked text.
    EXPECT_FALSE(QFileInfo(target(QStringLiteral("verweis.txt"))).isSymLink());
    EXPECT_EQ(fileBytes(target(QStringLiteral("verweis.txt"))), umlauts);
    EXPECT_EQ(fileBytes(sizes), umlauts);
    EXPECT_EQ(fileBytes(foreign), QByteArray("a b\r\n"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(QFileInfo(dangling).isSymLink());
}

TEST_F(SavingFaultsTest, AnUnreadableSourceIsReportedAndTheOthersAreCopiedWhole)
{
    const QStringList paths = useTexts({1, 2, 3});
    const QDateTime modified = QFileInfo(paths[1]).lastModified();
    search();
    ASSERT_EQ(rowCount(), 3);
    setText("zielverz", target());
    ASSERT_TRUE(QFile::setPermissions(paths[1], QFileDevice::Permissions()));
    {
        PermissionsEnforced enforced;
        if (!PermissionsEnforced::bind(paths[1])) {
            QFile::setPermissions(paths[1], QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            GTEST_SKIP() << "this system reads a file without read permission";
        }
        click("Button4");
    }
    ASSERT_TRUE(QFile::setPermissions(paths[1], QFileDevice::ReadOwner | QFileDevice::WriteOwner));

    expectOnlyErrorBox(QStringLiteral("Die Datei %1 konnte nicht nach %2 kopiert werden. "
                                      "Zugriff verweigert.")
                           .arg(QDir::toNativeSeparators(paths[1]),
                                QDir::toNativeSeparators(target(QStringLiteral("t1.txt")))),
                       copyFailureButtons());
    EXPECT_EQ(entries(target()), (QStringList{QStringLiteral("t0.txt"), QStringLiteral("t2.txt")}));
    EXPECT_EQ(fileBytes(target(QStringLiteral("t2.txt"))), QByteArray(3, 'a'));
    EXPECT_EQ(bar2()->value(), 3);
    EXPECT_EQ(fileBytes(paths[1]), QByteArray(2, 'a'));
    EXPECT_EQ(QFileInfo(paths[1]).lastModified(), modified);
}

TEST_F(SavingFaultsTest, ATargetOnAReadOnlyLocationIsNeitherCreatedNorWritten)
{
    const QStringList paths = useTexts({1});
    search();
    ASSERT_EQ(rowCount(), 1);
    const QString parent = corpus.filePath(QStringLiteral("schreibgeschützt"));
    ASSERT_TRUE(QDir().mkdir(parent));
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    ASSERT_TRUE(QFile::setPermissions(parent, readOnly));
    const QString refused = parent + QStringLiteral("/Subkorpus");
    setText("zielverz", refused);
    {
        PermissionsEnforced enforced;
        if (QDir().mkdir(refused)) {
            QDir().rmdir(refused);
            QFile::setPermissions(parent, readOnly | QFileDevice::WriteOwner);
            GTEST_SKIP() << "this system writes into a directory without write permission";
        }
        click("Button4");
        click("Button5");
    }
    ASSERT_TRUE(QFile::setPermissions(parent, readOnly | QFileDevice::WriteOwner));

    // Saving and the settings export refuse alike, before anything is written.
    const QString message = QStringLiteral("Das Zielverzeichnis %1 kann nicht erstellt werden. "
                                           "Zugriff verweigert. Der Vorgang wurde abgebrochen.")
                                .arg(refused);
    ASSERT_EQ(dialogs->shown().size(), 2u);
    for (const MessageRequest &box : dialogs->shown()) {
        EXPECT_EQ(box.text, message);
        EXPECT_EQ(box.caption, QStringLiteral("Fehler"));
    }
    EXPECT_TRUE(entries(parent).isEmpty());
    EXPECT_EQ(bar2()->value(), 0);
    EXPECT_EQ(fileBytes(paths[0]), QByteArray(1, 'a'));
}

#ifdef Q_OS_UNIX
// A copy renamed over a pipe or a device would replace the node by a plain file.
TEST_F(SavingFaultsTest, ACopyOntoAPipeIsRefusedAndThePipeStays)
{
    const QString source = corpus.write(QStringLiteral("quelle.txt"), "Text");
    const QString pipe = corpus.filePath(QStringLiteral("rohr.txt"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);

    EXPECT_FALSE(CopyFileEx(*dialogs, nullptr, source, pipe, false));

    expectOnlyErrorBox(QStringLiteral("Die Datei %1 konnte nicht nach %2 kopiert werden. Am Ziel "
                                      "steht bereits etwas, das keine gewöhnliche Datei ist.")
                           .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(pipe)),
                       copyFailureButtons());
    struct stat status
    {
    };
    ASSERT_EQ(lstat(QFile::encodeName(pipe).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(entries(corpus.path()),
              (QStringList{QStringLiteral("quelle.txt"), QStringLiteral("rohr.txt")}));
}
#endif

TEST_F(SavingFaultsTest, NewSourceEmptyingTheListDuringASearchEndsItQuietly)
{
    // The first six texts hold no "a", so no row is checked while they are read.
    useTexts({0, 0, 0, 0, 0, 0, 1, 1});
    auto *bar1 = find<QProgressBar>("bar1");
    const auto running = [this] { return find<QPushButton>("Button6")->isVisible(); };
    // Before the last text without "a", so that the text in hand has none either.
    int doneAtClick = -1;
    whenEventsRun([&] { return running() && bar1->value() < 5; },
                  [&] {
                      doneAtClick = bar1->value();
                      EXPECT_EQ(rowCount(), 0);
                      dialogs->answerPopup(QStringLiteral("extealsneueQuelle1"));
                      click("Button7");
                  });
    search();

    ASSERT_GE(doneAtClick, 0) << "events never ran among the texts without a";
    EXPECT_TRUE(boxTexts().isEmpty());
    EXPECT_EQ(rowCount(), 0);
    EXPECT_EQ(find<QLabel>("Label7")->text(), QStringLiteral("0 Treffer"));
    EXPECT_GE(bar1->value(), doneAtClick);
    EXPECT_LE(bar1->value(), doneAtClick + 1);
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_TRUE(find<QPushButton>("Button3")->isVisible());
}

// An edit of the target field during saving sends the remaining copies to the new path, but
// never into a directory that was there before.
TEST_F(SavingFaultsTest, ATargetEditedDuringSavingNeverLeadsIntoAnExistingDirectory)
{
    const QStringList paths = useTexts({1, 2, 3, 4, 5, 6});
    search();
    ASSERT_EQ(rowCount(), 6);
    QStringList names;
    for (const QString &path : paths)
        names << QFileInfo(path).fileName();
    // Every name the copies could take is there already, so that any copy into it shows.
    const QString existing = corpusDirectory(QStringLiteral("vorhanden"));
    for (const QString &name : names)
        corpus.write(QStringLiteral("vorhanden/") + name, "alt");
    setText("zielverz", target());
    // Once a copy is made and while more than the one in hand are left.
    const auto midway = [this] { return bar2()->value() > 0 && bar2()->value() < 5; };
    int doneAtEdit = -1;
    whenEventsRun(midway, [&] {
        doneAtEdit = bar2()->value();
        setText("zielverz", existing);
    });

    click("Button4");

    ASSERT_GT(doneAtEdit, 0) << "events never ran between copies before the last two";
    expectOnlyErrorBox(QStringLiteral("Das Zielverzeichnis existiert bereits. Bitte erstellen Sie "
                                      "ein neues oder wählen Sie ein anderes Zielverzeichnis."));
    // The copies up to the edit, and at most the one in hand, went whole to the first target.
    const int copied = int(entries(target()).size());
    EXPECT_GE(copied, doneAtEdit);
    EXPECT_LE(copied, doneAtEdit + 1);
    EXPECT_EQ(entries(target()), names.mid(0, copied));
    for (int i = 0; i < copied; ++i)
        EXPECT_EQ(fileBytes(target(names[i])), QByteArray(i + 1, 'a')) << i;
    EXPECT_EQ(bar2()->value(), copied);
    EXPECT_EQ(entries(existing), names);
    for (const QString &name : names)
        EXPECT_EQ(fileBytes(existing + QDir::separator() + name), QByteArray("alt"))
            << name.toStdString();

    // The directory that the save created, spelled another way, still takes the copies.
    dialogs->clearShown();
    const QString second = corpus.filePath(QStringLiteral("Ziel2"));
    setText("zielverz", second);
    bool edited = false;
    whenEventsRun(midway, [&] {
        edited = true;
        setText("zielverz", second + QStringLiteral("/./"));
    });
    click("Button4");
    ASSERT_TRUE(edited) << "events never ran between copies";
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(entries(second), names);
}

TEST_F(SavingFaultsTest, AbbrechenInTheBoxOfAFailedCopyEndsTheSavingAndKeepsTheCopiesMade)
{
    const QStringList paths = useTexts({1, 2, 3, 4});
    search();
    ASSERT_EQ(rowCount(), 4);
    ASSERT_TRUE(QFile::remove(paths[1]));
    ASSERT_TRUE(QFile::remove(paths[2]));
    setText("zielverz", target());
    dialogs->answer(1);
    click("Button4");

    // One box, not one per failed copy; nothing is copied after it.
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().buttons, copyFailureButtons());
    EXPECT_EQ(entries(target()), QStringList{QFileInfo(paths[0]).fileName()});
}

TEST_F(SavingFaultsTest, AFullDiskEndsTheSavingAfterOneBoxNamingIt)
{
    const QString disk = corpus.filePath(QStringLiteral("klein"));
    const SmallDisk small(disk, 64 * 1024);
    if (!small.active())
        GTEST_SKIP() << "only root can mount a small file system";
    QStringList paths;
    for (int i = 0; i < 5; ++i)
        paths << corpus.write(QStringLiteral("q/t%1.txt").arg(i), QByteArray(40 * 1024, 'a'));
    setSources(paths);
    search();
    ASSERT_EQ(rowCount(), 5);
    const QString full = disk + QStringLiteral("/ziel");
    setText("zielverz", full);
    click("Button4");

    expectOnlyErrorBox(QStringLiteral("Die Datei %1 konnte nicht nach %2 kopiert werden. Auf dem "
                                      "Datenträger ist nicht genügend Speicherplatz vorhanden. Es "
                                      "werden keine weiteren Texte kopiert.")
                           .arg(paths[1], full + QStringLiteral("/t1.txt")));
    // The first copy stays whole; the second left no temporary file behind.
    EXPECT_EQ(entries(full), QStringList{QStringLiteral("t0.txt")});
    EXPECT_EQ(fileBytes(full + QStringLiteral("/t0.txt")), QByteArray(40 * 1024, 'a'));
}

// An old archive's Latin-1 name beside a file whose UTF-8 name reads the same once decoded: each
// row reads, previews, copies and lists its own file.
TEST_F(SavingFaultsTest, ALatin1NameBesideItsTwinLeadsToItsOwnFileEverywhere)
{
    const QString directory = corpus.filePath(QStringLiteral("archiv"));
    ASSERT_TRUE(QDir().mkpath(directory));
    const QByteArray native = QFile::encodeName(directory);
    const QByteArray latin1 = native + "/M\xe4rz.txt";
    const QByteArray twin = native + "/M\xef\xbf\xbdrz.txt";
    // The temporary directory is removed by names in text, which cannot name these files.
    struct Unlink
    {
        QByteArrayList names;
        ~Unlink()
        {
            for (const QByteArray &name : names)
                ::unlink(name.constData());
        }
    } cleanup{{latin1, QFile::encodeName(target()) + "/M\xe4rz.txt"}};
    for (const auto &[name, text] : {std::pair{latin1, "aaa"}, std::pair{twin, "a"}}) {
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, text, std::strlen(text)), ssize_t(std::strlen(text)));
        ::close(fd);
    }
    addDirectory(directory);
    const QString shown = directory + QStringLiteral("/M\uFFFDrz.txt");
    ASSERT_EQ(boxTexts(), (QStringList{shown, shown}));

    search();
    EXPECT_TRUE(dialogs->shown().empty());
    ASSERT_EQ(rowCount(), 2);
    const QStringList counts{rowTexts(0).value(1), rowTexts(1).value(1)};
    EXPECT_EQ(rowTexts(0).front(), shown);
    EXPECT_TRUE(counts.contains(QStringLiteral("3")) && counts.contains(QStringLiteral("1")));
    const int latinRow = counts.indexOf(QStringLiteral("3"));

    // The found texts as the new source list still lead to their own files.
    dialogs->answerPopup(QStringLiteral("extealsneueQuelle1"));
    click("Button7");
    search();
    ASSERT_EQ(rowCount(), 2);
    EXPECT_EQ(rowTexts(latinRow).value(1), QStringLiteral("3"));

    auto *files = find<QTreeWidget>("files");
    files->setCurrentItem(files->topLevelItem(latinRow));
    form->filesClick(files);
    EXPECT_EQ(find<QTextEdit>("vorschau")->toPlainText(), QStringLiteral("aaa\n"));

    setText("zielverz", target());
    click("Button4");
    EXPECT_TRUE(dialogs->shown().empty());
    const auto copied = [this](const QByteArray &name) {
        const int fd = ::open((QFile::encodeName(target()) + '/' + name).constData(), O_RDONLY);
        char buffer[8] = {};
        const ssize_t got = fd < 0 ? -1 : ::read(fd, buffer, sizeof buffer);
        if (fd >= 0)
            ::close(fd);
        return got < 0 ? QByteArray("<fehlt>") : QByteArray(buffer, qsizetype(got));
    };
    EXPECT_EQ(copied("M\xe4rz.txt"), QByteArray("aaa"));
    EXPECT_EQ(copied("M\xef\xbf\xbdrz.txt"), QByteArray("a"));

    // The table writes the Latin-1 name's bytes as they are; the twin's U+FFFD has no byte.
    const QString table = corpus.filePath(QStringLiteral("tabelle.txt"));
    dialogs->answerFileDialog(table);
    find<QAction>("Exportieren1")->trigger();
    const QList<QByteArray> lines = fileBytes(table).split('\n');
    ASSERT_EQ(lines.size(), 3);
    const QByteArray latinLine = QFile::encodeName(directory) + "/M\xe4rz.txt\t3";
    const QByteArray twinLine = QFile::encodeName(directory) + "/M?rz.txt\t1";
    EXPECT_TRUE(lines[latinRow].startsWith(latinLine)) << lines[latinRow].constData();
    EXPECT_TRUE(lines[1 - latinRow].startsWith(twinLine)) << lines[1 - latinRow].constData();
    ASSERT_EQ(dialogs->shown().size(), 2u);
    EXPECT_TRUE(dialogs->shown().back().text.endsWith(QStringLiteral("\r\n") + shown));
}
