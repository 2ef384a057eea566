#include "targetrefusals.h"
#include "window/search/filelisteadd.h"
#include "windowfixture.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <map>
#include <utility>
#include <vector>

namespace {

const QString savingRuns =
    QStringLiteral("Die gefundenen Texte werden gerade gespeichert. Bitte warten Sie, bis das "
                   "Speichern abgeschlossen ist.");

// Notes, whenever the event loop runs until it is destroyed, bar2's position and the copies in
// the target by then with their bytes.
class EventLoopProbe : public QObject
{
public:
    struct Round
    {
        int position;
        std::map<QString, QByteArray> copies;
    };
    EventLoopProbe(const QProgressBar *bar, QString target)
        : m_bar(bar), m_target(std::move(target))
    {
        post();
    }
    std::vector<Round> rounds;

private:
    void post()
    {
        // Qt takes no event posted while it delivers posted events before the next round, so
        // each round of the event loop is noted once.
        QMetaObject::invokeMethod(
            this,
            [this] {
                Round round{m_bar->value(), {}};
                const QDir target(m_target);
                for (const QString &name : target.entryList(QDir::Files | QDir::Hidden))
                    round.copies[name] = fileBytes(target.filePath(name));
                rounds.push_back(std::move(round));
                post();
            },
            Qt::QueuedConnection);
    }
    const QProgressBar *m_bar;
    const QString m_target;
};

class SubcorpusSavingTest : public WindowTest
{
protected:
    SubcorpusSavingTest() { setText("zielverz", target()); }

    // Writes a text and lists it as a checked result row.
    QString addRow(const QString &name, const QByteArray &bytes)
    {
        const QString path = corpus.write(name, bytes);
        filelisteAdd(path, 1, 1.0, -1);
        return path;
    }
    void uncheck(int row)
    {
        find<QTreeWidget>("files")->topLevelItem(row)->setCheckState(0, Qt::Unchecked);
    }
    QString target(const QString &name = QString()) const
    {
        const QString directory = corpus.filePath(QStringLiteral("ziel"));
        return name.isEmpty() ? directory : directory + QDir::separator() + name;
    }
    static QStringList entries(const QString &directory)
    {
        return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                         QDir::Name);
    }
    QStringList shownTexts() const
    {
        QStringList texts;
        for (const MessageRequest &box : dialogs->shown())
            texts << box.text;
        return texts;
    }
    const QProgressBar *bar2() const { return find<QProgressBar>("bar2"); }
};

} // namespace

TEST_F(SubcorpusSavingTest, NoRowsCreatesNothing)
{
    click("Button4");
    expectOnlyErrorBox(noRowsMessage);
    EXPECT_FALSE(QFileInfo::exists(target()));
}

TEST_F(SubcorpusSavingTest, ExistingTargetIsNeverWrittenInto)
{
    addRow(QStringLiteral("a/t.txt"), "Text");
    ASSERT_TRUE(QDir().mkdir(target()));
    click("Button4");
    expectOnlyErrorBox(targetExistsMessage);
    EXPECT_TRUE(entries(target()).isEmpty());
}

TEST_F(SubcorpusSavingTest, SavingTwiceIsRefusedTheSecondTime)
{
    addRow(QStringLiteral("a/t.txt"), "Text");
    click("Button4");
    ASSERT_TRUE(dialogs->shown().empty());
    QFile::remove(target(QStringLiteral("t.txt")));
    click("Button4");
    expectOnlyErrorBox(targetExistsMessage);
    EXPECT_TRUE(entries(target()).isEmpty());
}

TEST_F(SubcorpusSavingTest, EmptyTargetIsRefusedInsteadOfWritingAtTheRoot)
{
    addRow(QStringLiteral("a/t.txt"), "Text");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(corpus.path()));
    const QStringList before = entries(corpus.path());
    setText("zielverz", QString());

    click("Button4");

    QDir::setCurrent(previous);
    expectOnlyErrorBox(noTargetMessage);
    EXPECT_EQ(entries(corpus.path()), before);
    EXPECT_EQ(bar2()->value(), 0);
}

TEST_F(SubcorpusSavingTest, TargetThatCannotBeCreatedStopsWithOneBoxNamingTheTrueReason)
{
    addRow(QStringLiteral("a/t.txt"), "Text");
    const QString file = corpus.write(QStringLiteral("datei"), "kein Verzeichnis");
    const QString cases[][2] = {
        {corpus.filePath(QStringLiteral("fehlt/ziel")),
         QStringLiteral("Das System kann den angegebenen Pfad nicht finden")},
        {corpus.filePath(QStringLiteral("fehlt/../ziel")),
         QStringLiteral("Das System kann den angegebenen Pfad nicht finden")},
        {corpus.filePath(QString(300, QLatin1Char('n'))),
         QStringLiteral("Der Dateiname oder die Erweiterung ist zu lang")},
        {file, QStringLiteral("Eine Datei kann nicht erstellt werden, wenn sie bereits vorhanden "
                              "ist")},
    };
    for (const auto &[target, reason] : cases) {
        dialogs->clearShown();
        setText("zielverz", target);
        click("Button4");
        expectOnlyErrorBox(QStringLiteral("Das Zielverzeichnis %1 kann nicht erstellt werden. %2. "
                                          "Der Vorgang wurde abgebrochen.")
                               .arg(target, reason));
    }
    EXPECT_FALSE(QFileInfo::exists(corpus.filePath(QStringLiteral("fehlt"))));
    EXPECT_EQ(bar2()->value(), 0);
    EXPECT_EQ(fileBytes(file), QByteArray("kein Verzeichnis"));
}

TEST_F(SubcorpusSavingTest, NoCheckedRowGivesAnEmptyDirectoryAndAFullBar)
{
    for (int i = 0; i < 3; ++i) {
        addRow(QStringLiteral("a/t%1.txt").arg(i), "Text");
        uncheck(i);
    }
    click("Button4");
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_TRUE(QFileInfo(target()).isDir());
    EXPECT_TRUE(entries(target()).isEmpty());
    EXPECT_EQ(bar2()->maximum(), 3);
    EXPECT_EQ(bar2()->value(), 3);
}

TEST_F(SubcorpusSavingTest, CheckedTextsLandFlatAndTheRowsStayAsTheyWere)
{
    addRow(QStringLiteral("a/eins.txt"), "erster\r\nText");
    addRow(QStringLiteral("b/c/zwei.txt"), "zweiter");
    addRow(QStringLiteral("b/drei.txt"), "dritter");
    uncheck(1);

    click("Button4");

    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(entries(target()),
              (QStringList{QStringLiteral("drei.txt"), QStringLiteral("eins.txt")}));
    EXPECT_EQ(fileBytes(target(QStringLiteral("eins.txt"))), QByteArray("erster\r\nText"));
    EXPECT_EQ(fileBytes(target(QStringLiteral("drei.txt"))), QByteArray("dritter"));
    ASSERT_EQ(rowCount(), 3);
    EXPECT_TRUE(rowChecked(0));
    EXPECT_FALSE(rowChecked(1));
    EXPECT_TRUE(rowChecked(2));
    EXPECT_EQ(bar2()->value(), 3);
}

TEST_F(SubcorpusSavingTest, SameFileNameTwiceAsksBeforeTheSecondCopyReplacesTheFirst)
{
    addRow(QStringLiteral("a/t.txt"), "erster");
    addRow(QStringLiteral("b/t.txt"), "zweiter");
    const QString question =
        QStringLiteral("Die Datei %1 existiert bereits. Soll sie ersetzt werden?")
            .arg(QDir::toNativeSeparators(target(QStringLiteral("t.txt"))));

    dialogs->answer(1);
    click("Button4");
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().caption, QStringLiteral("Bestätigen"));
    EXPECT_EQ(dialogs->shown().front().text, question);
    EXPECT_EQ(fileBytes(target(QStringLiteral("t.txt"))), QByteArray("erster"));

    dialogs->clearShown();
    setText("zielverz", corpus.filePath(QStringLiteral("ziel2")));
    dialogs->answer(0);
    click("Button4");
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(fileBytes(corpus.filePath(QStringLiteral("ziel2/t.txt"))), QByteArray("zweiter"));
    EXPECT_EQ(entries(corpus.filePath(QStringLiteral("ziel2"))),
              QStringList{QStringLiteral("t.txt")});
}

TEST_F(SubcorpusSavingTest, FailedCopyIsReportedAndSavingGoesOn)
{
    addRow(QStringLiteral("a/eins.txt"), "eins");
    const QString gone = addRow(QStringLiteral("a/zwei.txt"), "zwei");
    addRow(QStringLiteral("a/drei.txt"), "drei");
    ASSERT_TRUE(QFile::remove(gone));

    click("Button4");

    expectOnlyErrorBox(QStringLiteral("Die Datei %1 konnte nicht nach %2 kopiert werden. Das "
                                      "System kann die angegebene Datei nicht finden.")
                           .arg(QDir::toNativeSeparators(gone),
                                QDir::toNativeSeparators(target(QStringLiteral("zwei.txt")))),
                       copyFailureButtons());
    EXPECT_EQ(entries(target()),
              (QStringList{QStringLiteral("drei.txt"), QStringLiteral("eins.txt")}));
    EXPECT_EQ(bar2()->value(), 3);
}

TEST_F(SubcorpusSavingTest, EventsRunDuringSavingWithTheBarAtTheRowsWhoseCopiesAreWhole)
{
    for (int i = 0; i < 6; ++i)
        addRow(QStringLiteral("a/t%1.txt").arg(i), QByteArray("Text ") + QByteArray::number(i));
    uncheck(2);
    EventLoopProbe probe(bar2(), target());

    click("Button4");

    // The checked rows among the first `rows` have their whole copy.
    const auto copiesOf = [](int rows) {
        std::map<QString, QByteArray> copies;
        for (int i = 0; i < rows; ++i)
            if (i != 2)
                copies[QStringLiteral("t%1.txt").arg(i)] =
                    QByteArray("Text ") + QByteArray::number(i);
        return copies;
    };
    const auto all = copiesOf(6);
    bool midway = false;
    for (const EventLoopProbe::Round &round : probe.rounds) {
        SCOPED_TRACE(round.position);
        midway = midway || (round.position > 0 && round.position < 6);
        // The copies of the rows the bar counts are there; only the one in hand may be besides.
        const auto done = copiesOf(round.position);
        const auto inHand = copiesOf(round.position + 1);
        for (const auto &copy : done)
            EXPECT_EQ(round.copies.count(copy.first), 1u) << copy.first.toStdString();
        EXPECT_LE(round.copies.size(), done.size() + 1);
        for (const auto &[name, bytes] : round.copies) {
            if (inHand.count(name))
                EXPECT_EQ(bytes, inHand.at(name)) << name.toStdString();
            else
                EXPECT_EQ(all.count(name), 0u) << "copied ahead: " << name.toStdString();
        }
    }
    EXPECT_TRUE(midway) << "events never ran during the saving";
    EXPECT_EQ(bar2()->maximum(), 6);
    EXPECT_EQ(bar2()->value(), 6);
}

TEST_F(SubcorpusSavingTest, CommandsThatWouldChangeTheRowsAreRefusedWhileSaving)
{
    QStringList captions;
    for (int i = 0; i < 5; ++i)
        captions << addRow(QStringLiteral("a/t%1.txt").arg(i), "Treffer");
    // A search that ran would replace the five rows by one.
    setSources({corpus.write(QStringLiteral("b/anderer.txt"), "Treffer")});
    setText("Edit1", QStringLiteral("Treffer"));
    clickWhenEventsRun("Button3");
    clickWhenEventsRun("Button4");
    clickWhenEventsRun("Button5");
    for (const char *command :
         {"NachFrequenzfsortieren1", "AusgewhlteItemslschen1", "NichtausgewhlteItemslschen1"}) {
        QAction *action = find<QAction>(command);
        QMetaObject::invokeMethod(
            qApp, [action] { action->trigger(); }, Qt::QueuedConnection);
    }

    click("Button4");

    EXPECT_EQ(shownTexts(), QStringList(6, savingRuns));
    ASSERT_EQ(rowCount(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(rowTexts(i).front(), captions[i]);
    EXPECT_EQ(entries(target()).size(), 5);

    // Once saving has ended, the search runs again.
    dialogs->clearShown();
    click("Button3");
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(rowCount(), 1);
}

TEST_F(SubcorpusSavingTest, FolderBrowserProposesADatedDirectory)
{
    // Under the C locale the short date reads month/day/two-digit year.
    const QByteArray previous = qgetenv("LC_ALL");
    qputenv("LC_ALL", "C");
    const QDate before = QDate::currentDate();
    dialogs->answerFolder(corpus.path());
    click("Button1");
    const QString picked = find<QLineEdit>("zielverz")->text();
    setText("zielverz", QStringLiteral("alter Pfad"));
    click("Button1");
    const QString cancelled = find<QLineEdit>("zielverz")->text();
    const QDate after = QDate::currentDate();
    if (previous.isNull())
        qunsetenv("LC_ALL");
    else
        qputenv("LC_ALL", previous);

    EXPECT_EQ(dialogs->folderRequests(),
              (std::vector<QString>{QStringLiteral("Ordner auswählen"),
                                    QStringLiteral("Ordner auswählen")}));
    const QString name = QDir::separator() + QStringLiteral("Subkorpus");
    EXPECT_TRUE(picked == corpus.path() + name + before.toString(QStringLiteral("MMddyy")) ||
                picked == corpus.path() + name + after.toString(QStringLiteral("MMddyy")))
        << picked.toStdString();
    EXPECT_TRUE(cancelled == name + before.toString(QStringLiteral("MMddyy")) ||
                cancelled == name + after.toString(QStringLiteral("MMddyy")))
        << cancelled.toStdString();
}

TEST_F(SubcorpusSavingTest, ClosingTheWindowEndsTheCopyingAfterTheFileInProgress)
{
    QStringList names;
    for (int i = 0; i < 6; ++i) {
        names << QStringLiteral("t%1.txt").arg(i);
        addRow(QStringLiteral("quelle/") + names.last(),
               QByteArray("Text ") + QByteArray::number(i));
    }
    // Once a copy is made and while more than the one in hand are left.
    int doneAtClose = -1;
    whenEventsRun([this] { return bar2()->value() > 0 && bar2()->value() < 5; },
                  [&] {
                      doneAtClose = bar2()->value();
                      form->close();
                  });
    click("Button4");
    EXPECT_FALSE(form->isVisible());
    ASSERT_GT(doneAtClose, 0) << "events never ran between copies before the last two";
    // Nothing was copied after the file in progress, every copy is whole, and no temporary file
    // stayed behind.
    const int copied = int(entries(target()).size());
    EXPECT_GE(copied, doneAtClose);
    EXPECT_LE(copied, doneAtClose + 1);
    EXPECT_EQ(entries(target()), names.mid(0, copied));
    for (int i = 0; i < copied; ++i)
        EXPECT_EQ(fileBytes(target(names[i])), QByteArray("Text ") + QByteArray::number(i)) << i;
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(SubcorpusSavingTest, Button4sMenuAddsTheRecordWhichAClickNeverWrites)
{
    const QStringList paths = useTexts({"Haus Haus", "kein", "Haus"});
    search(QStringLiteral("Haus"));
    ASSERT_EQ(rowCount(), 2);
    uncheck(1);
    auto *button = find<QPushButton>("Button4");
    dialogs->answerPopup(QStringLiteral("GefundeneTextemitProtokollabspeichern1"));
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            button->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(button, &event);

    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(entries(target()),
              (QStringList{QStringLiteral("qvx-protokoll.json"), QStringLiteral("t0.txt")}));
    const QJsonObject record =
        QJsonDocument::fromJson(fileBytes(target(QStringLiteral("qvx-protokoll.json")))).object();
    EXPECT_EQ(record.value("program").toString(), QStringLiteral("QVX"));
    EXPECT_EQ(record.value("search").toObject().value("pattern").toString(),
              QStringLiteral("Haus"));
    EXPECT_EQ(record.value("sources").toArray().size(), 3);
    const QJsonArray texts = record.value("texts").toArray();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_EQ(texts[0].toObject().value("path").toString(), paths[0]);
    EXPECT_EQ(texts[0].toObject().value("f").toInt(), 2);
    EXPECT_EQ(texts[0].toObject().value("percent").toDouble(),
              rowTexts(0)[2].replace(QLatin1Char(','), QLatin1Char('.')).toDouble());

    setText("zielverz", target() + QStringLiteral("2"));
    click("Button4");
    EXPECT_EQ(entries(target() + QStringLiteral("2")), QStringList{QStringLiteral("t0.txt")});
}
