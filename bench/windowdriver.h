#pragma once

#include "benchdialogs.h"

#include <QString>
#include <memory>

class TForm1;
class QTreeWidget;
class QListWidget;

// The real main window, shown offscreen, worked through its controls' object names as a user
// would work it through the controls.
class WindowDriver
{
public:
    WindowDriver();
    ~WindowDriver();

    TForm1 &form() { return *m_form; }
    BenchDialogs &dialogs() { return *m_dialogs; }
    QTreeWidget *files() const;
    QListWidget *box() const;

    void setText(const char *editName, const QString &text);
    void setChecked(const char *buttonName, bool checked);
    // Presses the button; its handler runs to its end before this returns.
    void click(const char *buttonName);
    void trigger(const char *actionName);
    void clickHeader(int column);

    // Replaces the source list by the *.txt files of directory through "Durchsuchen".
    void chooseSources(const QString &directory);

    int checkedRows() const;

private:
    BenchDialogs *m_dialogs;
    std::unique_ptr<TForm1> m_form;
};
