#include "resultlistfixture.h"

#include <QSignalSpy>
#include <set>

namespace {

class SelectionTest : public ResultListTest
{
protected:
    // Rows with f 1 to 5, every other one unchecked.
    void addFiveRows()
    {
        for (int f = 1; f <= 5; ++f)
            addRow(QStringLiteral("/k/%1.txt").arg(f), f, f / 4.0, f - 1);
        setChecked(1, false);
        setChecked(3, false);
    }

    // The rows that the list's model announced as changed in their check marks since the spy
    // was made.
    static std::set<int> announcedRows(const QSignalSpy &spy)
    {
        std::set<int> rows;
        for (const QList<QVariant> &signal : spy) {
            const auto topLeft = signal[0].value<QModelIndex>();
            const auto bottomRight = signal[1].value<QModelIndex>();
            const auto roles = signal[2].value<QList<int>>();
            if (topLeft.column() > 0 || (!roles.isEmpty() && !roles.contains(Qt::CheckStateRole)))
                continue;
            for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
                rows.insert(row);
        }
        return rows;
    }

    // The one error box the default error handler showed, or an empty text.
    QString errorText() const
    {
        if (dialogs->shown().size() != 1)
            return QString();
        return dialogs->shown().front().text;
    }
};

} // namespace

TEST_F(SelectionTest, CheckAllNoneAndInvertActOnEveryRow)
{
    addFiveRows();
    trigger("Nichtsauswhlen1");
    EXPECT_EQ(checkMarks(), (QList<bool>{false, false, false, false, false}));
    trigger("Allesauswhlen1");
    EXPECT_EQ(checkMarks(), (QList<bool>{true, true, true, true, true}));

    setChecked(0, false);
    setChecked(3, false);
    trigger("Auswahlinvertieren1");
    EXPECT_EQ(checkMarks(), (QList<bool>{true, false, false, true, false}));
    trigger("Auswahlinvertieren1");
    EXPECT_EQ(checkMarks(), (QList<bool>{false, true, true, false, true}));
    EXPECT_EQ(hitCounter(), QStringLiteral("0 Treffer")); // checking never counts rows
}

TEST_F(SelectionTest, ThresholdOnFChecksExactlyTheGreaterRows)
{
    addFiveRows();
    dialogs->answerInput(QStringLiteral("3"));
    trigger("AllemitfgreralsXauswhlen1");

    ASSERT_EQ(dialogs->inputRequests().size(), 1u);
    const ScriptedDialogs::InputRequest &request = dialogs->inputRequests().front();
    EXPECT_EQ(request.caption, QStringLiteral("Auswahl aller Elemente größer als"));
    EXPECT_EQ(request.prompt, QStringLiteral("Bitte geben Sie eine Zahl ein."));
    EXPECT_EQ(request.defaultText, QStringLiteral("0"));
    EXPECT_EQ(checkMarks(), (QList<bool>{false, false, false, true, true}));
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(SelectionTest, CancellingTheInputBoxMeansZero)
{
    addRow(QStringLiteral("/k/a.txt"), -1);
    addRow(QStringLiteral("/k/b.txt"), 0);
    addRow(QStringLiteral("/k/c.txt"), 2);
    setChecked(2, false);
    dialogs->answerInput(std::nullopt);
    trigger("AllemitfgreralsXauswhlen1");
    EXPECT_EQ(checkMarks(), (QList<bool>{false, false, true}));
}

TEST_F(SelectionTest, RowsOfASimpleSearchAreCheckedOnlyBelowMinusOne)
{
    addRow(QStringLiteral("/k/a.txt"), -1);
    addRow(QStringLiteral("/k/b.txt"), -1);
    dialogs->answerInput(QStringLiteral("-1"));
    trigger("AllemitgreralsXauswhlen1");
    EXPECT_EQ(checkMarks(), (QList<bool>{false, false}));
    dialogs->answerInput(QStringLiteral("-2"));
    trigger("AllemitfBgreralsXauswhlen1");
    EXPECT_EQ(checkMarks(), (QList<bool>{true, true}));
    dialogs->answerInput(QStringLiteral("-1"));
    trigger("AllemitfgreralsXauswhlen1");
    EXPECT_EQ(checkMarks(), (QList<bool>{false, false}));
}

TEST_F(SelectionTest, PercentAndWeightingThresholdsTakeLocaleDecimals)
{
    addFiveRows(); // % 0,25 0,5 0,75 1 1,25; fB 0 1 2 3 4
    dialogs->answerInput(QStringLiteral("0,5"));
    trigger("AllemitgreralsXauswhlen1");
    EXPECT_EQ(checkMarks(), (QList<bool>{false, false, true, true, true}));

    dialogs->answerInput(QStringLiteral("1,5"));
    trigger("AllemitfBgreralsXauswhlen1");
    EXPECT_EQ(checkMarks(), (QList<bool>{false, false, true, true, true}));
    dialogs->answerInput(QStringLiteral("3"));
    trigger("AllemitfBgreralsXauswhlen1");
    EXPECT_EQ(checkMarks(), (QList<bool>{false, false, false, false, true}));
    // The texts that the number format writes for no digits are read as well.
    dialogs->answerInput(QStringLiteral("-INF"));
    trigger("AllemitgreralsXauswhlen1");
    EXPECT_EQ(checkMarks(), (QList<bool>{true, true, true, true, true}));
    dialogs->answerInput(QStringLiteral("NAN"));
    trigger("AllemitfBgreralsXauswhlen1");
    EXPECT_EQ(checkMarks(), (QList<bool>{false, false, false, false, false}));
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(SelectionTest, ANumberOfTheWrongKindIsReportedAndChangesNoMark)
{
    addFiveRows();
    const QList<bool> before = checkMarks();

    dialogs->answerInput(QStringLiteral("0.5"));
    trigger("AllemitgreralsXauswhlen1");
    EXPECT_EQ(errorText(), QStringLiteral("'0.5' ist kein gültiger Gleitkommawert."));
    EXPECT_EQ(checkMarks(), before);

    dialogs->clearShown();
    dialogs->answerInput(QStringLiteral("2,5"));
    trigger("AllemitfgreralsXauswhlen1");
    EXPECT_EQ(errorText(), QStringLiteral("''2,5'' ist kein gültiger Integer-Wert."));
    EXPECT_EQ(checkMarks(), before);

    dialogs->clearShown();
    dialogs->answerInput(QString());
    trigger("AllemitfBgreralsXauswhlen1");
    EXPECT_EQ(errorText(), QStringLiteral("'' ist kein gültiger Gleitkommawert."));
    EXPECT_EQ(checkMarks(), before);
}

TEST_F(SelectionTest, AnEmptyListStillAsksAndReportsABadNumber)
{
    trigger("Allesauswhlen1");
    trigger("Auswahlinvertieren1");
    EXPECT_EQ(rowCount(), 0);
    dialogs->answerInput(QStringLiteral("viel"));
    trigger("AllemitfgreralsXauswhlen1");
    EXPECT_EQ(dialogs->inputRequests().size(), 1u);
    EXPECT_EQ(errorText(), QStringLiteral("''viel'' ist kein gültiger Integer-Wert."));
}

TEST_F(SelectionTest, DeletingCheckedRowsKeepsTheOthersInOrder)
{
    addFiveRows(); // rows 2 and 4 unchecked
    trigger("AusgewhlteItemslschen1");
    EXPECT_EQ(column(0), (QStringList{"/k/2.txt", "/k/4.txt"}));
    EXPECT_EQ(checkMarks(), (QList<bool>{false, false}));
    EXPECT_EQ(hitCounter(), QStringLiteral("2 Treffer"));
}

TEST_F(SelectionTest, DeletingUncheckedRowsKeepsTheCheckedOnes)
{
    addFiveRows();
    trigger("NichtausgewhlteItemslschen1");
    EXPECT_EQ(column(0), (QStringList{"/k/1.txt", "/k/3.txt", "/k/5.txt"}));
    EXPECT_EQ(checkMarks(), (QList<bool>{true, true, true}));
    EXPECT_EQ(hitCounter(), QStringLiteral("3 Treffer"));

    // Every row checked: nothing goes, and the count is written again.
    find<QLabel>("Label7")->clear();
    trigger("NichtausgewhlteItemslschen1");
    EXPECT_EQ(rowCount(), 3);
    EXPECT_EQ(hitCounter(), QStringLiteral("3 Treffer"));

    trigger("AusgewhlteItemslschen1");
    EXPECT_EQ(rowCount(), 0);
    EXPECT_EQ(hitCounter(), QStringLiteral("0 Treffer"));
}

TEST_F(SelectionTest, DeletingFromAnEmptyListShowsZeroHits)
{
    find<QLabel>("Label7")->clear();
    trigger("AusgewhlteItemslschen1");
    EXPECT_EQ(hitCounter(), QStringLiteral("0 Treffer"));
    find<QLabel>("Label7")->clear();
    trigger("NichtausgewhlteItemslschen1");
    EXPECT_EQ(hitCounter(), QStringLiteral("0 Treffer"));
}

TEST_F(SelectionTest, TheListIsToldOfEveryMarkThatTheCommandsChange)
{
    addFiveRows(); // rows 1 and 3 unchecked
    struct Command
    {
        const char *action;
        QString input;
    };
    const Command commands[] = {{"Auswahlinvertieren1", {}},
                                {"Allesauswhlen1", {}},
                                {"AllemitfgreralsXauswhlen1", QStringLiteral("3")},
                                {"Nichtsauswhlen1", {}},
                                {"AllemitgreralsXauswhlen1", QStringLiteral("0,5")}};
    for (const Command &command : commands) {
        const QList<bool> before = checkMarks();
        QSignalSpy spy(form->files->model(), &QAbstractItemModel::dataChanged);
        if (!command.input.isNull())
            dialogs->answerInput(command.input);
        trigger(command.action);
        const QList<bool> after = checkMarks();
        ASSERT_NE(after, before) << command.action;
        const std::set<int> announced = announcedRows(spy);
        for (int row = 0; row < rowCount(); ++row) {
            if (after[row] != before[row]) {
                EXPECT_EQ(announced.count(row), 1u) << command.action << ", row " << row;
            }
        }
    }
}
