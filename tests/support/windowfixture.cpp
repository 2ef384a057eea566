#include "windowfixture.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QTest>

void WindowTest::clickWhenEventsRun(const char *buttonName)
{
    auto *button = find<QAbstractButton>(buttonName);
    QMetaObject::invokeMethod(
        qApp, [button] { QTest::mouseClick(button, Qt::LeftButton); }, Qt::QueuedConnection);
}

void WindowTest::whenEventsRun(std::function<bool()> ready, std::function<void()> action)
{
    // Qt delivers no event posted while it delivers posted events before the next round.
    QMetaObject::invokeMethod(
        &queued,
        [this, ready, action] {
            if (ready())
                action();
            else
                whenEventsRun(ready, action);
        },
        Qt::QueuedConnection);
}

void WindowTest::setSources(const QStringList &paths)
{
    auto *box = find<QListWidget>("box");
    box->clear();
    box->addItems(paths);
}

void WindowTest::setDefaultTarget()
{
    setText("zielverz", corpus.filePath(QStringLiteral("ziel")));
}

QStringList WindowTest::useTexts(const QList<QByteArray> &texts)
{
    QStringList paths;
    for (int i = 0; i < texts.size(); ++i)
        paths << corpus.write(QStringLiteral("t%1.txt").arg(i), texts[i]);
    setSources(paths);
    return paths;
}

void WindowTest::search(const QString &pattern)
{
    // Texts written by the test are then served by the read-ahead, as those of any corpus.
    letFileTimesSettle();
    setText("Edit1", pattern);
    click("Button3");
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

QString WindowTest::hitCounter() const
{
    return find<QLabel>("Label7")->text();
}

void WindowTest::expectOnlyErrorBox(const QString &text, const QStringList &buttons) const
{
    ASSERT_EQ(dialogs->shown().size(), 1u);
    const MessageRequest &box = dialogs->shown().front();
    EXPECT_EQ(box.caption, QStringLiteral("Fehler"));
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.buttons, buttons);
    EXPECT_EQ(box.text, text);
}
