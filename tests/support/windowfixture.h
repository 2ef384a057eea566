#pragma once

#include "fixtures.h"
#include "scripteddialogs.h"
#include "window/tform1.h"

#include <QStringList>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

// A fresh main window, shown offscreen, with the unit's globals at their start values, the
// German locale and scripted dialogs.
class WindowTest : public ::testing::Test
{
protected:
    WindowTest();
    ~WindowTest() override;

    template <typename T> T *find(const char *name) const
    {
        T *widget = form->findChild<T *>(QLatin1String(name));
        if (!widget)
            ADD_FAILURE() << "no control named " << name;
        return widget;
    }

    void click(const char *buttonName);
    // Clicks the button as soon as the event loop runs next, as a user's click during work would.
    void clickWhenEventsRun(const char *buttonName);
    void setText(const char *editName, const QString &text);
    void setSources(const QStringList &paths);

    int rowCount() const;
    // Caption and the four number cells of a result row.
    QStringList rowTexts(int row) const;
    bool rowChecked(int row) const;

    // Exactly one box was shown, an error box with this text.
    void expectOnlyErrorBox(const QString &text) const;

    LocaleScope locale{germanLocale()};
    TempCorpus corpus;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<TForm1> form;
};
