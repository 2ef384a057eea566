#include "windowfixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

namespace {

class KeyboardTest : public WindowTest
{
protected:
    KeyboardTest()
    {
        QApplication::setActiveWindow(form);
        if (!QTest::qWaitForWindowActive(form))
            ADD_FAILURE() << "the window did not become active";
    }

    QString focused() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

    void pressOn(const char *name, Qt::Key key)
    {
        auto *widget = find<QWidget>(name);
        widget->setFocus();
        QTest::keyClick(widget, key);
    }

    // Five texts with a match each, so that the rows found tell the texts done.
    void prepareSearch()
    {
        useTexts(QList<QByteArray>(5, QByteArrayLiteral("Heute\r\n")));
        setDefaultTarget();
        setText("Edit1", QStringLiteral("Heute"));
    }
};

} // namespace

TEST_F(KeyboardTest, TabVisitsTheControlsInOrderSkippingHiddenOnesAndTheProgressBars)
{
    EXPECT_EQ(focused(), QStringLiteral("Button2"));
    QStringList visited{focused()};
    for (int i = 0; i < 18; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << focused();
    }
    EXPECT_EQ(visited, QStringList({"Button2", "zielverz", "Button1", "box", "Edit1",
                                    "edit_ausschl", "Edit2", "Edit3", "Edit4", "RadioButton1",
                                    "CheckBox1", "Button4", "Button5", "Button3", "antlist",
                                    "files", "vorschau", "Button7", "Button2"}));
}

TEST_F(KeyboardTest, TabStopsAtWhicheverSearchModeIsChecked)
{
    find<QWidget>("RadioButton2")->setProperty("checked", true);
    pressOn("Edit4", Qt::Key_Tab);
    EXPECT_EQ(focused(), QStringLiteral("RadioButton2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focused(), QStringLiteral("CheckBox1"));
}

TEST_F(KeyboardTest, EnterInTheSearchFieldStartsASearch)
{
    prepareSearch();
    pressOn("Edit1", Qt::Key_Return);
    EXPECT_EQ(rowCount(), 5);
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(KeyboardTest, DuringARunEnterStartsNothingAndEscapeStops)
{
    prepareSearch();
    int rowsAtKeys = -1;
    // Before the last two texts, so that the run cannot end of itself after the keys.
    whenEventsRun([this] { return find<QPushButton>("Button6")->isVisible() && rowCount() < 4; },
                  [&] {
                      rowsAtKeys = rowCount();
                      auto *edit = find<QLineEdit>("Edit1");
                      QTest::keyClick(edit, Qt::Key_Return);
                      QTest::keyClick(edit, Qt::Key_Escape);
                  });
    pressOn("Edit1", Qt::Key_Return);

    ASSERT_GE(rowsAtKeys, 0) << "events never ran before the last two texts";
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown()[0].text, QStringLiteral("Vorgang abgebrochen."));
    // The run stopped after at most the file it was reading when Escape came; a second run would
    // have started over with an empty list and read every text.
    EXPECT_GE(rowCount(), rowsAtKeys);
    EXPECT_LE(rowCount(), rowsAtKeys + 1);
    EXPECT_LT(rowCount(), 5);
    EXPECT_TRUE(find<QPushButton>("Button3")->isVisible());
}

TEST_F(KeyboardTest, EscapeWhenIdleDoesNothingAndKeepsTheWindowOpen)
{
    pressOn("Edit1", Qt::Key_Escape);
    QTest::keyClick(form, Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(KeyboardTest, AFocusedButtonTakesEnterAndThePreviewStartsANewLine)
{
    prepareSearch();
    pressOn("Button2", Qt::Key_Return);
    EXPECT_EQ(dialogs->sourceDirectoryRequests(), 1);
    EXPECT_EQ(rowCount(), 0);

    auto *preview = find<QTextEdit>("vorschau");
    preview->setPlainText(QStringLiteral("ab"));
    preview->setFocus();
    QTest::keyClick(preview, Qt::Key_Return);
    EXPECT_EQ(preview->document()->blockCount(), 2);
    EXPECT_EQ(rowCount(), 0);
}
