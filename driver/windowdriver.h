#pragma once

#include "scripteddialogs.h"

#include <QObject>
#include <QString>
#include <memory>
#include <stdexcept>
#include <string>

class QListWidget;
class QTreeWidget;
class TForm1;

// A fresh main window with scripted dialogs, shown (offscreen under tests and benchmark) and
// worked through its controls' object names as a user works it through the controls. Each command
// returns when its handler has ended.
class WindowDriver
{
public:
    // Puts the unit's globals to their start values, then opens the window and waits until it is
    // exposed; throws std::runtime_error when it is not.
    WindowDriver();
    ~WindowDriver();
    WindowDriver(const WindowDriver &) = delete;
    WindowDriver &operator=(const WindowDriver &) = delete;

    TForm1 &form() const { return *m_form; }
    ScriptedDialogs &dialogs() const { return *m_dialogs; }

    // The control with this objectName; throws std::runtime_error when the window has none.
    template <typename T> T *find(const char *name) const
    {
        T *control = window()->findChild<T *>(QLatin1String(name));
        if (!control)
            throw std::runtime_error(std::string("the window has no control named ") + name);
        return control;
    }

    // A left click with the mouse in the middle of the button.
    void click(const char *buttonName);
    void setText(const char *editName, const QString &text);
    void setChecked(const char *buttonName, bool checked);
    void trigger(const char *actionName);
    // A left click with the mouse in the middle of the column's header section.
    void clickHeader(int column);
    // Makes the *.txt files of directory the source list through "Durchsuchen"; the question
    // whether to reset a filled list is answered "Ja".
    void chooseSources(const QString &directory);

    QTreeWidget *files() const;
    QListWidget *box() const;
    int rowCount() const;
    int checkedRows() const;

private:
    QObject *window() const;

    ScriptedDialogs *m_dialogs;
    std::unique_ptr<TForm1> m_form;
};
