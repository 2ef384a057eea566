#include "window/fonts.h"
#include "window/qtdialogs.h"
#include "windowfixture.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

namespace {

bool sameFont(const QFont &a, const QFont &b)
{
    const QFontInfo first(a);
    const QFontInfo second(b);
    return first.family() == second.family() && first.pixelSize() == second.pixelSize() &&
           first.bold() == second.bold();
}

// The window font throughout, as the program start sets it before the window is created.
class WindowFontThroughout
{
public:
    WindowFontThroughout() : m_applicationFont(QApplication::font()) { useWindowFontThroughout(); }
    ~WindowFontThroughout() { QApplication::setFont(m_applicationFont); }

private:
    QFont m_applicationFont;
};

class OwnWindowsTest : private WindowFontThroughout, public WindowTest
{
};

} // namespace

TEST_F(OwnWindowsTest, MenusBoxesAndTheHelpWindowUseTheWindowFont)
{
    EXPECT_TRUE(sameFont(find<QMenu>("PopupMenu1")->font(), form->font()));
    EXPECT_TRUE(sameFont(find<QMenu>("AlsQuelldaten")->font(), form->font()));
    QMessageBox box;
    EXPECT_TRUE(sameFont(box.font(), form->font()));
    QTest::mouseClick(find<QLabel>("Label6"), Qt::LeftButton);
    auto *memo = form->findChild<QPlainTextEdit *>(QStringLiteral("amemo"));
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(sameFont(memo->font(), form->font()));
}

TEST_F(OwnWindowsTest, TheInputBoxIsWideEnoughForItsWholeTitleAndPrompt)
{
    const QString title = QStringLiteral("Auswahl aller Elemente größer als");
    const QString prompt = QStringLiteral("Bitte geben Sie eine Zahl ein.");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        EXPECT_TRUE(sameFont(dialog->font(), form->font()));
        // A title bar draws its title in bold, beside an icon and at least a close button.
        QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
        titleFont.setBold(true);
        EXPECT_GE(dialog->width(), QFontMetrics(titleFont).horizontalAdvance(title) + 100);
        const auto *label = dialog->findChild<QLabel *>();
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), prompt);
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(prompt));
        dialog->reject();
    });
    QtDialogs dialogs;
    EXPECT_FALSE(dialogs.inputText(form, title, prompt, QStringLiteral("0")));
    EXPECT_TRUE(seen);
}
