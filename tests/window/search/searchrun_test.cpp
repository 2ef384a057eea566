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
#include <algorithm>
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
    // A search runs: "Stop" stands in the place of "Suche".
    bool running() const { return find<QPushButton>("Button6")->isVisible(); }
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

TEST_F(SearchRunTest, StopClickedDuringTheRunEndsItBetweenTextsWithTheRowsFoundSoFar)
{
    useTexts({"a\r\n", "a\r\n", "a\r\n", "a\r\n", "a\r\n"});
    // Every text gives a row, so the rows tell the texts done.
    int rowsAtClick = -1;
    whenEventsRun([this] { return running(); },
                  [&] {
                      rowsAtClick = rowCount();
                      click("Button6");
                  });
    search(QStringLiteral("a"));
    ASSERT_LT(rowsAtClick, 5) << "events ran only after the last text";
    // At most one more text is read after the click.
    EXPECT_GE(rowCount(), rowsAtClick);
    EXPECT_LE(rowCount(), rowsAtClick + 1);
    EXPECT_LT(rowCount(), 5);
    EXPECT_EQ(progress(), rowCount());
    EXPECT_EQ(hitCounter(), QStringLiteral("%1 Treffer").arg(rowCount()));
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
    // Events run at the latest once the run has ended, before "Suche" comes back.
    whenEventsRun([this] { return running() && rowCount() == 2; }, [this] { click("Button6"); });
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

TEST_F(SearchRunTest, StopWhileALongTextIsSearchedCancelsItAtOnce)
{
    // From every start position the pattern runs through the whole table: the text would take
    // seconds before its budget ran out, and the window waits for it processing events.
    QByteArray table;
    while (table.size() < 1024 * 1024)
        table += "4711 0815 1234 5678\r\n";
    useTexts({"a Euro\r\n", table + "Summe Euro\r\n", "b Euro\r\n"});
    whenEventsRun([this] { return running() && rowCount() == 1; }, [this] { click("Button6"); });
    search(QStringLiteral("(\\d|\\s)+Euro"));
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().text, QStringLiteral("Vorgang abgebrochen."));
    EXPECT_EQ(rowCount(), 1);
    EXPECT_EQ(progress(), 1) << "the cancelled text counts for nothing";
    expectIdleWithFocusInSearchField();
}

TEST_F(SearchRunTest, SourceListShrinkingDuringTheRunIsNeverReadBeyondItsEnd)
{
    useTexts({"a\r\n", "a\r\n", "a\r\n", "a\r\n", "a\r\n"});
    auto *box = find<QListWidget>("box");
    int rowsAtClear = -1;
    whenEventsRun([this] { return running(); },
                  [&] {
                      rowsAtClear = rowCount();
                      box->clear();
                  });
    search(QStringLiteral("a"));
    ASSERT_LT(rowsAtClear, 5) << "events ran only after the last text";
    // Events also run while the run waits for a text whose turn has begun; that one text may
    // still count, none after it.
    EXPECT_GE(rowCount(), rowsAtClear);
    EXPECT_LE(rowCount(), rowsAtClear + 1);
    EXPECT_TRUE(dialogs->shown().empty());
    expectIdleWithFocusInSearchField();
}

TEST_F(SearchRunTest, ClosingTheWindowDuringARunEndsItWithoutAMessage)
{
    useTexts({"a\r\n", "a\r\n", "a\r\n", "a\r\n", "a\r\n"});
    int rowsAtClose = -1;
    whenEventsRun([this] { return running(); },
                  [&] {
                      rowsAtClose = rowCount();
                      form->close();
                  });
    search(QStringLiteral("a"));
    EXPECT_FALSE(form->isVisible());
    ASSERT_LT(rowsAtClose, 5) << "events ran only after the last text";
    // At most one more text is read after the close.
    EXPECT_GE(rowCount(), rowsAtClose);
    EXPECT_LE(rowCount(), rowsAtClose + 1);
    EXPECT_LT(rowCount(), 5);
    EXPECT_TRUE(dialogs->shown().empty());
}

namespace {

// The rows that the first `done` of these texts give, each text with an "a" giving one.
int hitsIn(const QList<QByteArray> &texts, int done)
{
    return int(std::count_if(texts.begin(), texts.begin() + done,
                             [](const QByteArray &text) { return text.contains('a'); }));
}

} // namespace

TEST_F(SearchRunTest, RowsAreInTheListWheneverEventsRunAndTheListDrawsAgainAfterwards)
{
    const QList<QByteArray> texts{"a\r\n", "a\r\n", "b\r\n", "a\r\n", "a\r\n", "a\r\n"};
    useTexts(texts);
    auto *files = find<QTreeWidget>("files");
    // Each time the run lets events through: the texts done and the rows the list holds.
    QList<int> doneSeen;
    QList<int> rowsSeen;
    std::function<bool()> watch = [&] {
        if (running()) {
            doneSeen << progress();
            rowsSeen << files->topLevelItemCount();
        }
        return false;
    };
    whenEventsRun(watch, [] {});
    search(QStringLiteral("a"));
    ASSERT_TRUE(std::any_of(doneSeen.begin(), doneSeen.end(), [](int d) { return d > 0 && d < 6; }))
        << "events never ran between texts";
    for (int i = 0; i < doneSeen.size(); ++i)
        EXPECT_EQ(rowsSeen[i], hitsIn(texts, doneSeen[i])) << "after " << doneSeen[i] << " texts";
    EXPECT_EQ(rowCount(), 5);
    EXPECT_TRUE(files->updatesEnabled());
}

TEST_F(SearchRunTest, CounterAndBarAreUpToDateWheneverEventsRunAndWhenTheStopMessageShows)
{
    const QList<QByteArray> texts{"a\r\n", "b\r\n", "a\r\n", "a\r\n", "b\r\n", "a\r\n", "a\r\n"};
    useTexts(texts);
    // Bar and hit counter each time they can be seen: the counter gives the rows in the list, the
    // bar the texts whose rows those are.
    QStringList notUpToDate;
    int looks = 0;
    const auto look = [&](const QString &moment) {
        ++looks;
        const int rows = rowCount();
        if (hitCounter() != QStringLiteral("%1 Treffer").arg(rows) ||
            hitsIn(texts, progress()) != rows)
            notUpToDate << QStringLiteral("%1: %2, %3 with %4 rows")
                               .arg(moment)
                               .arg(progress())
                               .arg(hitCounter())
                               .arg(rows);
    };
    int doneAtStop = -1;
    std::function<bool()> watch = [&] {
        if (!running())
            return false;
        look(QStringLiteral("events"));
        if (doneAtStop < 0 && progress() > 0 && progress() < int(texts.size())) {
            doneAtStop = progress();
            click("Button6");
        }
        return false;
    };
    whenEventsRun(watch, [] {});
    // Under the box, the list, the counter and the bar are drawn as they are, not held back.
    QList<bool> drawnUnderTheBox;
    int doneUnderTheBox = -1;
    dialogs->onShow([&](const MessageRequest &) {
        look(QStringLiteral("message"));
        doneUnderTheBox = progress();
        for (const char *name : {"files", "Label7", "bar1"})
            drawnUnderTheBox << find<QWidget>(name)->updatesEnabled();
    });
    search(QStringLiteral("a"));
    ASSERT_GT(doneAtStop, 0) << "events never ran between texts";
    EXPECT_GE(looks, 2);
    EXPECT_TRUE(notUpToDate.isEmpty()) << notUpToDate.join(QStringLiteral("; ")).toStdString();
    // The stop came between texts; at most one more text was read.
    EXPECT_GE(doneUnderTheBox, doneAtStop);
    EXPECT_LE(doneUnderTheBox, doneAtStop + 1);
    EXPECT_EQ(drawnUnderTheBox, (QList<bool>{true, true, true}));
    EXPECT_EQ(progress(), doneUnderTheBox);
    EXPECT_EQ(hitCounter(), QStringLiteral("%1 Treffer").arg(hitsIn(texts, doneUnderTheBox)));
}
