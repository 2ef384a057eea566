#include "permissionsenforced.h"
#include "window/globals.h"
#include "windowfixture.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QWindow>
#include <sys/stat.h>

namespace {

// The box that ends a run whose pattern needs more than the bound allows for one text.
QString tooCostly(const QString &file, const QString &limit)
{
    return QStringLiteral("Der reguläre Ausdruck ist für den Text der Datei %1 zu aufwendig: PCRE2 "
                          "hat seine Grenze für %2 erreicht. Die Suche wurde abgebrochen.")
        .arg(file, limit);
}

// Search runs over source lists with one broken, odd or huge text among good ones: the run
// reports the bad one by name and reason, keeps what it found before, and changes no source.
class FaultySourcesTest : public WindowTest
{
protected:
    FaultySourcesTest()
    {
        setDefaultTarget();
        first = corpus.write(QStringLiteral("erster.txt"), "a\r\n");
        last = corpus.write(QStringLiteral("letzter.txt"), "a a\r\n");
    }

    // The good texts around the bad one are still as they were written.
    void expectGoodSourcesUnchanged() const
    {
        EXPECT_EQ(fileBytes(first), QByteArray("a\r\n"));
        EXPECT_EQ(fileBytes(last), QByteArray("a a\r\n"));
    }

    void expectRunEndedAtTheBadSource(const QString &bad, const QString &reason)
    {
        ASSERT_EQ(dialogs->shown().size(), 1u) << qPrintable(bad);
        const MessageRequest &box = dialogs->shown().front();
        EXPECT_EQ(box.text,
                  QStringLiteral("Datei %1 kann nicht geöffnet werden. %2.").arg(bad, reason));
        EXPECT_EQ(box.caption, QCoreApplication::applicationName());
        EXPECT_EQ(box.icon, MessageIcon::Error);
        // The text before the bad one keeps its row; the one after it was never read.
        ASSERT_EQ(rowCount(), 1);
        EXPECT_EQ(rowTexts(0).front(), first);
        EXPECT_EQ(hitCounter(), QStringLiteral("1 Treffer"));
        EXPECT_EQ(find<QProgressBar>("bar1")->value(), 1);
        EXPECT_TRUE(find<QPushButton>("Button3")->isVisible());
        EXPECT_FALSE(find<QPushButton>("Button6")->isVisible());
        expectGoodSourcesUnchanged();
    }

    // Posts a press and release at the centre of the button to the window, as the window system
    // queues a user's click: the widget under the pointer when the event loop takes it gets it.
    void postClickAt(const QWidget *button)
    {
        QWindow *window = form->windowHandle();
        const QPointF local = button->mapTo(form, QPointF(button->rect().center()));
        const QPointF global = window->mapToGlobal(local);
        QCoreApplication::postEvent(window, new QMouseEvent(QEvent::MouseButtonPress, local, global,
                                                            Qt::LeftButton, Qt::LeftButton,
                                                            Qt::NoModifier));
        QCoreApplication::postEvent(window,
                                    new QMouseEvent(QEvent::MouseButtonRelease, local, global,
                                                    Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    }

    QString first;
    QString last;
};

} // namespace

TEST_F(FaultySourcesTest, SourcesThatAreGoneOrNoFilesEndTheRunNamingTheReason)
{
    const QString deleted = corpus.write(QStringLiteral("gelöscht.txt"), "a\r\n");
    ASSERT_TRUE(QFile::remove(deleted));
    ASSERT_TRUE(QDir(corpus.path()).mkdir(QStringLiteral("x.txt")));
    const QString directory = corpus.filePath(QStringLiteral("x.txt"));
    const QString dangling = corpus.filePath(QStringLiteral("verweis ins Leere.txt"));
    ASSERT_TRUE(QFile::link(corpus.filePath(QStringLiteral("gibt es nicht.txt")), dangling));
    // A pipe without a writer would hold the run for ever, a device would never end.
    const QString pipe = corpus.filePath(QStringLiteral("pipe.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString device = corpus.filePath(QStringLiteral("null.txt"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), device));
    const QString loop = corpus.filePath(QStringLiteral("schleife.txt"));
    ASSERT_TRUE(QFile::link(loop, loop));

    const QString missing = QStringLiteral("Das System kann die angegebene Datei nicht finden");
    const QString special = QStringLiteral(
        "Die Datei ist keine gewöhnliche Datei, sondern ein Gerät, eine Pipe oder ein Socket");
    const QList<std::pair<QString, QString>> cases = {
        {deleted, missing},
        {directory, QStringLiteral("Der angegebene Pfad ist ein Verzeichnis")},
        {dangling, missing},
        {pipe, special},
        {device, special},
        {loop, QStringLiteral("Der Name der Datei kann vom System nicht aufgelöst werden")},
    };
    for (const auto &[bad, reason] : cases) {
        dialogs->clearShown();
        setSources({first, bad, last});
        search(QStringLiteral("a"));
        expectRunEndedAtTheBadSource(bad, reason);
    }
    EXPECT_TRUE(QFileInfo(directory).isDir());
    EXPECT_TRUE(QFileInfo(dangling).isSymLink());
}

TEST_F(FaultySourcesTest, AnUnreadableSourceEndsTheRunAndStaysAsItWas)
{
    const QString locked = corpus.write(QStringLiteral("gesperrt.txt"), "a\r\n");
    const QDateTime modified = QFileInfo(locked).lastModified();
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::Permissions()));
    setSources({first, locked, last});
    {
        PermissionsEnforced enforced;
        if (!PermissionsEnforced::bind(locked)) {
            QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            GTEST_SKIP() << "this system reads a file without read permission";
        }
        search(QStringLiteral("a"));
    }
    expectRunEndedAtTheBadSource(locked, QStringLiteral("Zugriff verweigert"));
    // Only the permission bits themselves; the "User" flags tell what this process may do.
    const QFileDevice::Permissions bits(0x7077);
    EXPECT_EQ(QFileInfo(locked).permissions() & bits, QFileDevice::Permissions());
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(fileBytes(locked), QByteArray("a\r\n"));
    EXPECT_EQ(QFileInfo(locked).lastModified(), modified);
}

TEST_F(FaultySourcesTest, EmptyAndNulTextsNeverQualifyEvenForAPatternThatMatchesNothing)
{
    const QString empty = corpus.write(QStringLiteral("leer.txt"), QByteArray());
    const QString nuls = corpus.write(QStringLiteral("nul.txt"), QByteArray(4096, '\0'));
    const QString nulFirst = corpus.write(QStringLiteral("nul-vorn.txt"), QByteArray("\0a\r\n", 4));
    setSources({empty, nuls, nulFirst, first});

    // "x*" matches the empty string, so an empty text would count one match in no characters.
    search(QStringLiteral("x*"));
    EXPECT_TRUE(dialogs->shown().empty());
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(rowTexts(0), (QStringList{first, "4", "133,333333333333", "-1", "-1"}));
    EXPECT_EQ(hitCounter(), QStringLiteral("1 Treffer"));
    EXPECT_EQ(find<QProgressBar>("bar1")->value(), 4);

    find<QRadioButton>("RadioButton2")->setChecked(true);
    search(QStringLiteral("a"));
    EXPECT_TRUE(dialogs->shown().empty());
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(rowTexts(0).front(), first);

    EXPECT_EQ(fileBytes(empty), QByteArray());
    EXPECT_EQ(fileBytes(nuls), QByteArray(4096, '\0'));
}

TEST_F(FaultySourcesTest, OneLineOfFiftyMegabytesIsCountedInBothModes)
{
    constexpr qsizetype size = 50 * 1024 * 1024;
    QByteArray line(size, 'a');
    line[size / 2] = 'b';
    line[size - 1] = 'b';
    const QString huge = corpus.write(QStringLiteral("eine Zeile.txt"), line);
    setSources({first, huge, last});

    setText("Edit2", QStringLiteral("a{1000}"));
    search(QStringLiteral("b"));
    EXPECT_TRUE(dialogs->shown().empty());
    ASSERT_EQ(rowCount(), 1);
    const QStringList row = rowTexts(0);
    EXPECT_EQ(row[0], huge);
    EXPECT_EQ(row[1], QStringLiteral("2"));
    // The text is the line and its closing CR LF.
    const double proz = QLocale().toDouble(row[2]);
    EXPECT_NEAR(proz, 200.0 / double(size + 2), 1e-18);
    // Two runs of a, of (size / 2) and (size / 2 - 2) characters.
    EXPECT_EQ(row[3], QString::number(size / 2 / 1000 + (size / 2 - 2) / 1000));

    find<QRadioButton>("RadioButton2")->setChecked(true);
    search(QStringLiteral("ab"));
    EXPECT_TRUE(dialogs->shown().empty());
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(rowTexts(0).front(), huge);
    EXPECT_EQ(QFileInfo(huge).size(), size);
}

// A click on "Stop" while the last text is read arrives after the run, when "Suche" stands in
// its place again; it must neither start a new search nor be lost as an error.
TEST_F(FaultySourcesTest, StopPressedWhileTheLastFileIsReadStartsNoNewSearch)
{
    const QString middle = corpus.write(QStringLiteral("mitte.txt"), "a\r\n");
    setSources({first, middle, last});
    auto *stop = find<QPushButton>("Button6");
    auto *files = find<QTreeWidget>("files");
    // Posted as the row of the last text goes into the list, so that the click waits in the
    // queue while that text is finished.
    bool posted = false;
    const QMetaObject::Connection lastRow = QObject::connect(
        files->model(), &QAbstractItemModel::rowsInserted, &queued, [&, this, stop, files] {
            if (!posted && files->topLevelItemCount() == 3) {
                posted = true;
                postClickAt(stop);
            }
        });
    QSignalSpy searches(find<QPushButton>("Button3"), &QPushButton::clicked);

    search(QStringLiteral("a"));
    QObject::disconnect(lastRow);
    QCoreApplication::processEvents();

    ASSERT_TRUE(posted) << "the last text gave no row";
    EXPECT_EQ(searches.count(), 1);
    EXPECT_EQ(rowCount(), 3);
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_TRUE(find<QPushButton>("Button3")->isVisible());
    // The click reached "Stop", after the run had read every text.
    EXPECT_TRUE(Stop);

    // The next run starts afresh and reads every text.
    search(QStringLiteral("a"));
    EXPECT_EQ(rowCount(), 3);
    EXPECT_FALSE(Stop);
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(FaultySourcesTest, BacktrackingOverAWholeTableEndsTheRunAtTheBound)
{
    // Every start position in the table backtracks over the rest of it; none alone reaches a
    // limit per position, together they would hold the window for minutes.
    QByteArray table;
    for (int i = 0; table.size() < 100 * 1024; ++i)
        table += QByteArray::number(i * 7919 % 100000) + (i % 6 == 5 ? "\r\n" : " ");
    const QString hard = corpus.write(QStringLiteral("tabelle.txt"), table + "Summe Euro\r\n");
    setSources({first, hard, last});

    search(QStringLiteral("(\\d|\\s)+Euro|a"));

    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().text, tooCostly(hard, QStringLiteral("Suchschritte")));
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(rowTexts(0).front(), first);
    EXPECT_TRUE(find<QPushButton>("Button3")->isVisible());
}

TEST_F(FaultySourcesTest, APatternBeyondTheMemoryLimitEndsTheRunNamingTheFile)
{
    const QString hard =
        corpus.write(QStringLiteral("lang.txt"), QByteArray(2 * 1024 * 1024, 'a') + "xb\r\n");
    setSources({first, hard, last});

    search(QStringLiteral("(?:%1a)*b|a").arg(QString(QStringLiteral("()")).repeated(200)));

    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().text, tooCostly(hard, QStringLiteral("Arbeitsspeicher")));
    ASSERT_EQ(rowCount(), 1);
}

TEST_F(FaultySourcesTest, ACatastrophicPatternEndsTheRunAtTheTextItCannotManage)
{
    const QString easy = corpus.write(QStringLiteral("leicht.txt"), "aab\r\n");
    // The "b" on the next line keeps PCRE2 from ruling the match out before it backtracks.
    const QString hard =
        corpus.write(QStringLiteral("schwer.txt"), QByteArray(40, 'a') + "\r\nb\r\n");
    setSources({easy, hard, last});

    search(QStringLiteral("(a+)+b"));

    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().text, tooCostly(hard, QStringLiteral("Suchschritte")));
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(rowTexts(0).front(), easy);
    EXPECT_EQ(hitCounter(), QStringLiteral("1 Treffer"));
    EXPECT_EQ(find<QProgressBar>("bar1")->value(), 1);
    EXPECT_TRUE(find<QPushButton>("Button3")->isVisible());
}
