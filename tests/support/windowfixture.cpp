#include "windowfixture.h"

#include "window/globals.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

WindowTest::WindowTest()
{
    Stop = false;
    ColumnToSort = 0;
    Accending = false;
    suchstrGlobal.clear();
    GewichtStrGlobal.clear();
    auto scripted = std::make_unique<ScriptedDialogs>();
    dialogs = scripted.get();
    form = std::make_unique<TForm1>(std::move(scripted));
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        ADD_FAILURE() << "the window was not exposed";
}

WindowTest::~WindowTest()
{
    form.reset();
    QCoreApplication::processEvents();
}

void WindowTest::click(const char *buttonName)
{
    if (auto *button = find<QAbstractButton>(buttonName))
        QTest::mouseClick(button, Qt::LeftButton);
}

void WindowTest::clickWhenEventsRun(const char *buttonName)
{
    auto *button = find<QAbstractButton>(buttonName);
    QMetaObject::invokeMethod(
        qApp, [button] { QTest::mouseClick(button, Qt::LeftButton); }, Qt::QueuedConnection);
}

void WindowTest::setText(const char *editName, const QString &text)
{
    if (auto *edit = find<QLineEdit>(editName))
        edit->setText(text);
}

void WindowTest::setSources(const QStringList &paths)
{
    auto *box = find<QListWidget>("box");
    box->clear();
    box->addItems(paths);
}

int WindowTest::rowCount() const
{
    return find<QTreeWidget>("files")->topLevelItemCount();
}

QStringList WindowTest::rowTexts(int row) const
{
    const QTreeWidgetItem *item = find<QTreeWidget>("files")->topLevelItem(row);
    QStringList texts;
    for (int column = 0; column < 5; ++column)
        texts << item->text(column);
    return texts;
}

bool WindowTest::rowChecked(int row) const
{
    return find<QTreeWidget>("files")->topLevelItem(row)->checkState(0) == Qt::Checked;
}

void WindowTest::expectOnlyErrorBox(const QString &text) const
{
    ASSERT_EQ(dialogs->shown().size(), 1u);
    const MessageRequest &box = dialogs->shown().front();
    EXPECT_EQ(box.caption, QStringLiteral("Fehler"));
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(box.text, text);
}
