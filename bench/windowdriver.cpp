#include "windowdriver.h"

#include "window/tform1.h"

#include <QAction>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <stdexcept>

namespace {

template <typename T> T *control(QObject *form, const char *name)
{
    auto *found = form->findChild<T *>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("the window has no control named ") + name);
    return found;
}

} // namespace

WindowDriver::WindowDriver()
{
    auto dialogs = std::make_unique<BenchDialogs>();
    m_dialogs = dialogs.get();
    m_form = std::make_unique<TForm1>(std::move(dialogs));
    m_form->show();
    QCoreApplication::processEvents();
}

WindowDriver::~WindowDriver() = default;

QTreeWidget *WindowDriver::files() const
{
    return control<QTreeWidget>(m_form.get(), "files");
}

QListWidget *WindowDriver::box() const
{
    return control<QListWidget>(m_form.get(), "box");
}

void WindowDriver::setText(const char *editName, const QString &text)
{
    control<QLineEdit>(m_form.get(), editName)->setText(text);
}

void WindowDriver::setChecked(const char *buttonName, bool checked)
{
    control<QAbstractButton>(m_form.get(), buttonName)->setChecked(checked);
}

void WindowDriver::click(const char *buttonName)
{
    control<QAbstractButton>(m_form.get(), buttonName)->click();
}

void WindowDriver::trigger(const char *actionName)
{
    control<QAction>(m_form.get(), actionName)->trigger();
}

void WindowDriver::clickHeader(int column)
{
    emit files()->header()->sectionClicked(column);
}

void WindowDriver::chooseSources(const QString &directory)
{
    m_dialogs->sourceDirectory = directory;
    // A filled list brings the question whether to reset it, which the dialogs answer "Ja".
    click("Button2");
}

int WindowDriver::checkedRows() const
{
    int checked = 0;
    const QTreeWidget *list = files();
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        checked += list->topLevelItem(i)->checkState(0) == Qt::Checked;
    return checked;
}
