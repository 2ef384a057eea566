#include "window/helptexts.h"
#include "windowfixture.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

namespace {

class HelpTest : public WindowTest
{
protected:
    void clickLabel(const char *name) { QTest::mouseClick(find<QLabel>(name), Qt::LeftButton); }

    QList<QWidget *> helpWindows() const
    {
        return form->findChildren<QWidget *>(QStringLiteral("aform"), Qt::FindDirectChildrenOnly);
    }
};

} // namespace

TEST_F(HelpTest, TheFourLabelsShowTheirTextsInPlainBoxes)
{
    const std::pair<const char *, QString> labels[] = {
        {"Label14", helptexts::searchString()},
        {"Label15", helptexts::exclusionString()},
        {"Label16", helptexts::weightingString()},
        {"Label17", helptexts::resultList()},
    };
    for (const auto &[name, text] : labels)
        clickLabel(name);
    ASSERT_EQ(dialogs->shown().size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        const MessageRequest &box = dialogs->shown()[i];
        EXPECT_EQ(box.text, labels[i].second);
        EXPECT_EQ(box.icon, MessageIcon::None);
        EXPECT_EQ(box.buttons, QStringList{QStringLiteral("OK")});
        EXPECT_EQ(box.caption, QCoreApplication::applicationName());
    }
    EXPECT_TRUE(dialogs->shown()[0].text.endsWith(
        QStringLiteral("findet sich in der Spalte \"f\" der Tabelle.")));
    EXPECT_TRUE(dialogs->shown()[1].text.contains(QStringLiteral("/ \"Negativliste\")")));
}

TEST_F(HelpTest, EveryClickOpensAFurtherCentredHelpWindowOverTheLast)
{
    clickLabel("Label6");
    clickLabel("Label6");
    const QList<QWidget *> windows = helpWindows();
    ASSERT_EQ(windows.size(), 2);
    for (QWidget *window : windows) {
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->isModal());
        EXPECT_EQ(window->windowTitle(),
                  QStringLiteral("Informationen und Beispiele zur Nutzung von RegEx"));
        EXPECT_EQ(window->frameGeometry().size(), QSize(500, 400));
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
        EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    }
    EXPECT_EQ(windows[0]->frameGeometry(), windows[1]->frameGeometry());
    EXPECT_EQ(windows[0]->frameGeometry().center(), form->screen()->availableGeometry().center());
}

TEST_F(HelpTest, TheHelpTextIsReadOnlyWithNineteenLinesAndAClosingLineBreak)
{
    clickLabel("Label6");
    auto *memo = helpWindows().front()->findChild<QPlainTextEdit *>(QStringLiteral("amemo"));
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->textInteractionFlags() & Qt::TextSelectableByMouse, Qt::TextSelectableByMouse);
    const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 20);
    EXPECT_EQ(lines[0], QStringLiteral("Nähere Informationen zu Regulären Ausdrücken unter:"));
    for (int link = 1; link <= 3; ++link)
        EXPECT_TRUE(lines[link].startsWith(QStringLiteral("  https://"))) << link;
    EXPECT_EQ(lines[4], QString(21, QLatin1Char('-')));
    EXPECT_EQ(lines[10], QStringLiteral("  \\bGanzeswort\\b"));
    EXPECT_EQ(lines[18], QStringLiteral("  Schif{1,3}ahrt"));
    EXPECT_EQ(lines[19], QString());
}

TEST_F(HelpTest, ClosingTheMainWindowDestroysAHelpWindowTheUserClosedBefore)
{
    clickLabel("Label6");
    QPointer<QWidget> window = helpWindows().front();
    window->close();
    EXPECT_FALSE(window.isNull());
    form->close();
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(HelpTest, ClicksOnOtherLabelsDoNothing)
{
    for (const char *name : {"Label1", "Label2", "Label4", "Label5", "Label7", "Label8"})
        clickLabel(name);
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_TRUE(helpWindows().isEmpty());
}
