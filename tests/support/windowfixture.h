#pragma once

#include "fixtures.h"
#include "scripteddialogs.h"
#include "window/tform1.h"
#include "windowdriver.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

// A fresh main window, shown offscreen, with the unit's globals at their start values, the
// German locale and scripted dialogs. A control that is not there fails the test with its name.
class WindowTest : public ::testing::Test
{
protected:
    template <typename T> T *find(const char *name) const { return driver.find<T>(name); }

    void click(const char *buttonName) { driver.click(buttonName); }
    // Clicks the button as soon as the event loop runs next, as a user's click during work would.
    void clickWhenEventsRun(const char *buttonName);
    // Runs action the first time the event loop runs with ready() true, looking again at every
    // later round; where a handler lets events run is the program's choice, not the test's.
    void whenEventsRun(std::function<bool()> ready, std::function<void()> action);
    void setText(const char *editName, const QString &text) { driver.setText(editName, text); }
    void trigger(const char *actionName) { driver.trigger(actionName); }
    void clickHeader(int column) { driver.clickHeader(column); }
    void setSources(const QStringList &paths);

    // Names the directory "ziel" in the corpus, which does not exist yet, as the target.
    void setDefaultTarget();
    // Writes the texts as t0.txt, t1.txt, ... into the corpus and makes them the source list.
    QStringList useTexts(const QList<QByteArray> &texts);
    // Runs the search ("Suche") for pattern over the source list.
    void search(const QString &pattern);

    int rowCount() const { return driver.rowCount(); }
    // Caption and the four number cells of a result row.
    QStringList rowTexts(int row) const;
    bool rowChecked(int row) const;
    QString hitCounter() const;

    // Exactly one box was shown, an error box with this text and these buttons.
    void expectOnlyErrorBox(const QString &text,
                            const QStringList &buttons = {QStringLiteral("OK")}) const;
    // The buttons of the box that reports a failed copy.
    static QStringList copyFailureButtons()
    {
        return {QStringLiteral("Weiter"), QStringLiteral("Abbrechen")};
    }

    LocaleScope locale{germanLocale()};
    TempCorpus corpus;
    WindowDriver driver;
    ScriptedDialogs *const dialogs = &driver.dialogs();
    TForm1 *const form = &driver.form();
    // Calls still queued when the test ends go with it.
    QObject queued;
};
