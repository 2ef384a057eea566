#pragma once

#include "text/sourceencoding.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QFileDialog;
class QMenu;
class QWidget;

enum class MessageIcon
{
    None,
    Error,
    Question
};

// One modal message box as the user would see it.
struct MessageRequest
{
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::None;
    QStringList buttons;
};

// An error box: caption "Fehler", error icon, the single button "OK".
MessageRequest errorBox(const QString &text);
// A plain message: the application's title, no icon, the single button "OK".
MessageRequest plainMessage(const QString &text);
// A question: caption "Bestätigen", question icon, "&Ja" and "&Nein".
MessageRequest confirmation(const QString &text);

// What the source directory chooser offers beside the name.
struct SourceDirectoryOptions
{
    // The texts of every directory below the chosen one as well.
    bool subdirectories = false;
    // The encoding in which the texts are to be read: offered first, and the user's choice.
    SourceEncoding encoding = SourceEncoding::Windows1252;
};

// A modal indication of work that runs in the window's thread and lets its events run.
class Progress
{
public:
    virtual ~Progress() = default;
    // Shows how far the work is and lets pending events run; false once the user cancelled.
    virtual bool goOn(const QString &state) = 0;
};

// The one seam through which the window runs every modal interaction, so that tests can answer
// dialogs without a person and read what would have been shown.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Shows the box modally and returns the index of the pressed button in request.buttons,
    // or -1 when the box was closed without one.
    virtual int message(QWidget *parent, const MessageRequest &request) = 0;

    // Decides whether a name confirmed in a chooser closes it; may ask the user itself.
    using NameCheck = std::function<bool(const QString &name)>;

    // The source directory chooser titled "Verzeichnis auswählen", opening at the working
    // directory. A confirmed name closes it only when acceptName agrees; otherwise it stays open
    // as the user left it. Returns the accepted name (it may not exist yet), or the empty text
    // when the user cancelled. It also offers the encoding of the texts (options' encoding at
    // first, else Windows-1252) and the subdirectories; the choices go to options when given.
    virtual QString chooseSourceDirectory(QWidget *parent, const NameCheck &acceptName,
                                          SourceDirectoryOptions *options = nullptr) = 0;

    // The target folder browser with the given instruction, directories only. Returns the picked
    // folder's path, or the empty text when the user cancelled.
    virtual QString chooseFolder(QWidget *parent, const QString &instruction) = 0;

    // A modal input box with "OK" and "Abbrechen". Returns the edited text, or nothing when the
    // user cancelled or closed the box.
    virtual std::optional<QString> inputText(QWidget *parent, const QString &caption,
                                             const QString &prompt, const QString &defaultText) = 0;

    // Runs a file dialog that lives with the window modally; true when the user confirmed a file,
    // which the dialog then holds as its selected file.
    virtual bool execFileDialog(QFileDialog *dialog) = 0;

    // Opens a popup menu with its top left corner at pos (screen coordinates) and returns the
    // triggered action, or nullptr. The action's own triggered signal fires as well.
    virtual QAction *popupMenu(QMenu *menu, const QPoint &pos) = 0;

    // A progress indication titled caption with the button "Abbrechen", shown once the work
    // takes long enough to notice; it closes when it goes.
    virtual std::unique_ptr<Progress> showProgress(QWidget *parent, const QString &caption) = 0;
};

// Asks the question as a confirmation; true when the user answered "&Ja".
bool confirmed(Dialogs &dialogs, QWidget *parent, const QString &question);
