#include "windowdriver.h"

#include "window/globals.h"
#include "window/tform1.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

WindowDriver::WindowDriver()
{
    Stop = false;
    ColumnToSort = 0;
    Accending = false;
    suchstrGlobal.clear();
    GewichtStrGlobal.clear();
    auto scripted = std::make_unique<ScriptedDialogs>();
    m_dialogs = scripted.get();
    m_form = std::make_unique<TForm1>(std::move(scripted));
    m_form->show();
    if (!QTest::qWaitForWindowExposed(m_form.get()))
        throw std::runtime_error("the window was not exposed");
}

WindowDriver::~WindowDriver()
{
    m_form.reset();
    QCoreApplication::processEvents();
}

QObject *WindowDriver::window() const
{
    return m_form.get();
}

void WindowDriver::click(const char *buttonName)
{
    QTest::mouseClick(find<QAbstractButton>(buttonName), Qt::LeftButton);
}

void WindowDriver::setText(const char *editName, const QString &text)
{
    find<QLineEdit>(editName)->setText(text);
}

void WindowDriver::setChecked(const char *buttonName, bool checked)
{
    find<QAbstractButton>(buttonName)->setChecked(checked);
}

void WindowDriver::trigger(const char *actionName)
{
    find<QAction>(actionName)->trigger();
}

void WindowDriver::clickHeader(int column)
{
    QHeaderView *header = files()->header();
    const QPoint middle(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
}

void WindowDriver::chooseSources(const QString &directory)
{
    m_dialogs->answerSourceDirectory(directory);
    click("Button2");
    // What the click left for later (the list's layout of its new items) runs before the user
    // can do anything else.
    QCoreApplication::processEvents();
}

QTreeWidget *WindowDriver::files() const
{
    return find<QTreeWidget>("files");
}

QListWidget *WindowDriver::box() const
{
    return find<QListWidget>("box");
}

int WindowDriver::rowCount() const
{
    return files()->topLevelItemCount();
}

int WindowDriver::checkedRows() const
{
    int checked = 0;
    const QTreeWidget *list = files();
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        checked += list->topLevelItem(i)->checkState(0) == Qt::Checked;
    return checked;
}
