#include "window/globals.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <functional>

namespace {

const QString incompleteInput = QStringLiteral(
    "Die Angaben sind unvollständig: Keine Quelldateien, kein Zielverzeichnis oder kein "
    "Suchstring.");

class SearchRunTest : public WindowTest
{
protected:
    SearchRunTest() { setDefaultTarget(); }

    void expectIdleWithFocusInSearchField()
    {
        EXPECT_TRUE(find<QPushButton>("Button3")->isVisible());
        EXPECT_FALSE(find<QPushButton>("Button6")->isVisible());
        EXPECT_EQ(form->focusWidget(), find<QWidget>("Edit1"));
    }

    int progress() const { return find<QProgressBar>("bar1")->value(); }
};

} // namespace

TEST_F(SearchRunTest, IncompleteInputClearsResultsFirstAndSetsTheGlobals)
{
    const QStringList paths = useTexts({"Heute\r\n"});
    search(QStringLiteral("Heute"));
    ASSERT_EQ(rowCount(), 1);
    find<QTextEdit>("vorschau")->setPlainText(QStringLiteral("alter Text"));

    setText("Edit2", QStringLiteral("Gewicht"));
    bool runningWhileShown = false;
    int rowsWhileShown = -1;
    dialogs->onShow([&](const MessageRequest &) {
        runningWhileShown = find<QPushButton>("Button6")->isVisible();
        rowsWhileShown = rowCount();
    });
    search(QString());

    ASSERT_EQ(dialogs->shown().size(), 1u);
    const MessageRequest &box = dialogs->shown().front();
    EXPECT_EQ(box.caption, QStringLiteral("Fehler"));
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.text, incompleteInput);
    EXPECT_EQ(box.buttons, QStringList{QStringLiteral("OK")});
    EXPECT_TRUE(runningWhileShown);
    EXPECT_EQ(rowsWhileShown, 0);
    EXPECT_EQ(rowCount(), 0);
    EXPECT_TRUE(find<QTextEdit>("vorschau")->toPlainText().isEmpty());
    EXPECT_EQ(hitCounter(), QStringLiteral("0 Treffer"));
    EXPECT_TRUE(suchstrGlobal.isEmpty());
    EXPECT_EQ(GewichtStrGlobal, QStringLiteral("Gewicht"));
    expectIdleWithFocusInSearchField();

    dialogs->clearShown();
    setText("zielverz", QString());
    search(QStringLiteral("Heute"));
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().text, incompleteInput);

    dialogs->clearShown();
    setText("zielverz", QStringLiteral("ziel"));
    setSources({});
    search(QStringLiteral("Heute"));
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().text, incompleteInput);
    EXPECT_EQ(suchstrGlobal, QStringLiteral("Heute"));
}

TEST_F(SearchRunTest, RegexModeCountsWeightsAndExcludes)
{
    const QStringList paths = useTexts({
        "Heute Zeit Heute\r\nund heute xy\r\n", // 2 x Heute, 1 x Zeit
        "Heute und Morgen\r\n",                 // excluded
        "nichts\r\n",                           // no match
        "Heute\nZeit Zeit",                     // lone LF, no final break
        "",                                     // empty text never qualifies, even for x*
    });
    setText("edit_ausschl", QStringLiteral("Morgen"));
    setText("Edit2", QStringLiteral("Zeit"));
    setText("Edit4", QStringLiteral("0,5"));
    search(QStringLiteral("Heute"));

    EXPECT_TRUE(dialogs->shown().empty());
    ASSERT_EQ(rowCount(), 2);
    // 2 matches in 32 code units; G = 2 * 1 + 1 * 0,5
    EXPECT_EQ(rowTexts(0), (QStringList{paths[0], "2", "6,25", "1", "2,5"}));
    // "Heute\r\nZeit Zeit\r\n" has 18 code units
    EXPECT_EQ(rowTexts(1), (QStringList{paths[3], "1", "5,55555555555556", "2", "2"}));
    EXPECT_TRUE(rowChecked(0));
    EXPECT_TRUE(rowChecked(1));
    EXPECT_EQ(hitCounter(), QStringLiteral("2 Treffer"));
    EXPECT_EQ(progress(), 5);
    EXPECT_EQ(find<QProgressBar>("bar1")->maximum(), 5);
    EXPECT_EQ(suchstrGlobal, QStringLiteral("Heute"));
    EXPECT_EQ(GewichtStrGlobal, QStringLiteral("Zeit"));
    expectIdleWithFocusInSearchField();

    setText("Edit2", QString());
    search(QStringLiteral("x*"));
    EXPECT_TRUE(dialogs->shown().empty());
    ASSERT_EQ(rowCount(), 3);
    EXPECT_EQ(rowTexts(0), (QStringList{paths[0], "33", "103,125", "-1", "-1"}));
    EXPECT_EQ(rowTexts(1), (QStringList{paths[2], "9", "112,5", "-1", "-1"}));
}

TEST_F(SearchRunTest, RegexModeIgnoresTheCaseOptionAndListsDuplicatesTwice)
{
    const QStringList paths = useTexts({"Heute\r\n", "heute\r\n"});
    setSources({paths[0], paths[1], paths[0]});
    find<QCheckBox>("CheckBox1")->setChecked(true);
    search(QStringLiteral("heute"));
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(rowTexts(0)[0], paths[1]);

    search(QStringLiteral("(?i)heute"));
    ASSERT_EQ(rowCount(), 3);
    EXPECT_EQ(rowTexts(0), rowTexts(2));
    EXPECT_EQ(rowTexts(0), (QStringList{paths[0], "1", "14,2857142857143", "-1", "-1"}));
}

TEST_F(SearchRunTest, SimpleModeTestsSubstringsWithAndWithoutCase)
{
    const QStringList paths = useTexts({
        "HEUTE kommt er\r\n",
        "Heute und MORGEN\r\n",
        "die Hausaufgabe von heute\r\n",
        "(a+)+b ist kein Muster hier\r\n",
    });
    find<QRadioButton>("RadioButton2")->setChecked(true);
    setText("edit_ausschl", QStringLiteral("Morgen"));
    search(QStringLiteral("Heute"));
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(rowTexts(0), (QStringList{paths[1], "-1", "-1", "-1", "-1"}));

    find<QCheckBox>("CheckBox1")->setChecked(true);
    search(QStringLiteral("Heute"));
    ASSERT_EQ(rowCount(), 2);
    EXPECT_EQ(rowTexts(0)[0], paths[0]);
    EXPECT_EQ(rowTexts(1)[0], paths[2]);

    find<QCheckBox>("CheckBox1")->setChecked(false);
    setText("edit_ausschl", QString());
    search(QStringLiteral("(a+)+b"));
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(rowTexts(0)[0], paths[3]);
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(SearchRunTest, StopClickedDuringTheFirstFileEndsAfterTheThird)
{
    useTexts({"a\r\n", "a\r\n", "a\r\n", "a\r\n", "a\r\n"});
    clickWhenEventsRun("Button6");
    search(QStringLiteral("a"));
    EXPECT_EQ(rowCount(), 3);
    EXPECT_EQ(progress(), 3);
    EXPECT_EQ(hitCounter(), QStringLiteral("3 Treffer"));
    ASSERT_EQ(dialogs->shown().size(), 1u);
    const MessageRequest &box = dialogs->shown().front();
    EXPECT_EQ(box.text, QStringLiteral("Vorgang abgebrochen."));
    EXPECT_EQ(box.caption, QCoreApplication::applicationName());
    EXPECT_EQ(box.icon, MessageIcon::None);
    EXPECT_EQ(box.buttons, QStringList{QStringLiteral("OK")});
    expectIdleWithFocusInSearchField();
    EXPECT_TRUE(Stop);

    dialogs->clearShown();
    search(QStringLiteral("a"));
    EXPECT_FALSE(Stop);
    EXPECT_EQ(rowCount(), 5);
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(SearchRunTest, StopHandledAfterTheLastFileHasNoEffect)
{
    useTexts({"a\r\n", "a\r\n"});
    clickWhenEventsRun("Button6");
    search(QStringLiteral("a"));
    EXPECT_EQ(rowCount(), 2);
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_TRUE(Stop);
}

TEST_F(SearchRunTest, InvalidPatternEndsTheRunAfterTheCleanUp)
{
    useTexts({"abc\r\n", "abc\r\n"});
    bool idleWhileShown = false;
    dialogs->onShow([&](const MessageRequest &) {
        idleWhileShown =
            find<QPushButton>("Button3")->isVisible() && !find<QPushButton>("Button6")->isVisible();
    });
    search(QStringLiteral("(abc"));
    ASSERT_EQ(dialogs->shown().size(), 1u);
    const MessageRequest &box = dialogs->shown().front();
    EXPECT_EQ(
        box.text,
        QStringLiteral("Fehler in regulärem Ausdruck bei Offset 4: missing closing parenthesis."));
    EXPECT_EQ(box.caption, QCoreApplication::applicationName());
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_TRUE(idleWhileShown);
    EXPECT_EQ(progress(), 0);
    expectIdleWithFocusInSearchField();
}

TEST_F(SearchRunTest, InvalidWeightingPatternOnlyMattersForFilesWithAMatch)
{
    useTexts({"abc\r\n", "xyz\r\n"});
    setText("Edit2", QStringLiteral("[z"));
    search(QStringLiteral("q"));
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(rowCount(), 0);

    // Both patterns are invalid; the weighting pattern is compiled first.
    setText("edit_ausschl", QStringLiteral("(("));
    search(QStringLiteral("y"));
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().text,
              QStringLiteral("Fehler in regulärem Ausdruck bei Offset 2: missing terminating ] "
                             "for character class."));
    EXPECT_EQ(progress(), 1);
}

TEST_F(SearchRunTest, FactorThatIsNoNumberLeavesNoHalfFilledRow)
{
    const QStringList paths = useTexts({"a\r\n", "a\r\n"});
    setText("Edit2", QStringLiteral("a"));
    setText("Edit3", QStringLiteral("1.5"));
    setText("Edit4", QStringLiteral("x"));
    search(QStringLiteral("a"));
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().text,
              QStringLiteral("'1.5' ist kein gültiger Gleitkommawert."));
    EXPECT_EQ(rowCount(), 0);
    EXPECT_EQ(hitCounter(), QStringLiteral("0 Treffer"));
    expectIdleWithFocusInSearchField();

    dialogs->clearShown();
    setText("Edit3", QStringLiteral(" 2 "));
    setText("Edit4", QString());
    search(QStringLiteral("a"));
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().text,
              QStringLiteral("'' ist kein gültiger Gleitkommawert."));

    dialogs->clearShown();
    setText("Edit4", QStringLiteral("-1"));
    search(QStringLiteral("a"));
    EXPECT_TRUE(dialogs->shown().empty());
    ASSERT_EQ(rowCount(), 2);
    EXPECT_EQ(rowTexts(0), (QStringList{paths[0], "1", "33,3333333333333", "1", "1"}));
}

TEST_F(SearchRunTest, UnreadableFileEndsTheRunAndKeepsEarlierRows)
{
    const QStringList paths = useTexts({"a\r\n", "a\r\n"});
    const QString missing = corpus.filePath(QStringLiteral("fehlt.txt"));
    setSources({paths[0], missing, paths[1]});
    search(QStringLiteral("a"));
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_TRUE(dialogs->shown().front().text.startsWith(
        QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(missing)));
    EXPECT_EQ(rowCount(), 1);
    EXPECT_EQ(hitCounter(), QStringLiteral("1 Treffer"));
    EXPECT_EQ(progress(), 1);
    expectIdleWithFocusInSearchField();
}

TEST_F(SearchRunTest, CatastrophicPatternEndsTheRunWithAGermanMessage)
{
    // The "b" on the next line keeps PCRE2 from ruling the match out before it backtracks.
    useTexts({QByteArray(40, 'a') + "\r\nb\r\n"});
    search(QStringLiteral("(a+)+b"));
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_TRUE(dialogs->shown().front().text.contains(QStringLiteral("zu aufwendig")))
        << dialogs->shown().front().text.toStdString();
    EXPECT_EQ(rowCount(), 0);
    expectIdleWithFocusInSearchField();
}

TEST_F(SearchRunTest, SourceListShrinkingDuringTheRunIsNeverReadBeyondItsEnd)
{
    useTexts({"a\r\n", "a\r\n", "a\r\n", "a\r\n", "a\r\n"});
    auto *box = find<QListWidget>("box");
    QMetaObject::invokeMethod(
        qApp, [box] { box->clear(); }, Qt::QueuedConnection);
    search(QStringLiteral("a"));
    EXPECT_EQ(rowCount(), 2);
    EXPECT_TRUE(dialogs->shown().empty());
    expectIdleWithFocusInSearchField();
}

TEST_F(SearchRunTest, ClosingTheWindowDuringARunEndsItWithoutAMessage)
{
    useTexts({"a\r\n", "a\r\n", "a\r\n", "a\r\n", "a\r\n"});
    TForm1 *window = form;
    QMetaObject::invokeMethod(
        qApp, [window] { window->close(); }, Qt::QueuedConnection);
    search(QStringLiteral("a"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(rowCount(), 3);
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(SearchRunTest, RowsAreInTheListWheneverEventsRunAndTheListDrawsAgainAfterwards)
{
    useTexts({"a\r\n", "a\r\n", "b\r\n", "a\r\n", "a\r\n", "a\r\n"});
    auto *files = find<QTreeWidget>("files");
    // Each time the run lets events through: the rows the list holds, and whether it draws.
    QList<int> rowsSeen;
    QList<bool> drawing;
    // A call still queued when the test ends goes with its context.
    QObject context;
    std::function<void()> watch = [&] {
        rowsSeen << files->topLevelItemCount();
        drawing << files->updatesEnabled();
        QMetaObject::invokeMethod(&context, watch, Qt::QueuedConnection);
    };
    QMetaObject::invokeMethod(&context, watch, Qt::QueuedConnection);
    search(QStringLiteral("a"));
    ASSERT_GE(rowsSeen.size(), 3);
    EXPECT_EQ(rowsSeen.mid(0, 3), (QList<int>{2, 3, 5}));
    EXPECT_EQ(rowCount(), 5);
    EXPECT_TRUE(files->updatesEnabled());
    // Drawing is held back between refreshes only.
    EXPECT_TRUE(drawing.contains(false));
}

TEST_F(SearchRunTest, CounterAndBarAreUpToDateWheneverEventsRunAndWhenTheStopMessageShows)
{
    useTexts({"a\r\n", "b\r\n", "a\r\n", "a\r\n", "b\r\n", "a\r\n", "a\r\n"});
    // The bar and the hit counter each time they can be seen.
    QStringList seen;
    const auto look = [&](const QString &moment) {
        seen << QStringLiteral("%1: %2, %3").arg(moment).arg(progress()).arg(hitCounter());
    };
    QObject context;
    std::function<void()> watch = [&] {
        look(QStringLiteral("events"));
        if (seen.size() == 2)
            click("Button6");
        if (find<QPushButton>("Button6")->isVisible())
            QMetaObject::invokeMethod(&context, watch, Qt::QueuedConnection);
    };
    QMetaObject::invokeMethod(&context, watch, Qt::QueuedConnection);
    // Under the box, the list, the counter and the bar are drawn as they are, not held back.
    QList<bool> drawnUnderTheBox;
    dialogs->onShow([&](const MessageRequest &) {
        look(QStringLiteral("message"));
        for (const char *name : {"files", "Label7", "bar1"})
            drawnUnderTheBox << find<QWidget>(name)->updatesEnabled();
    });
    search(QStringLiteral("a"));
    // The last look is the one at the end of the run, after the message.
    EXPECT_EQ(seen, (QStringList{"events: 2, 1 Treffer", "events: 4, 3 Treffer",
                                 "message: 5, 3 Treffer", "events: 5, 3 Treffer"}));
    EXPECT_EQ(drawnUnderTheBox, (QList<bool>{true, true, true}));
    EXPECT_EQ(progress(), 5);
    EXPECT_EQ(hitCounter(), QStringLiteral("3 Treffer"));
}
