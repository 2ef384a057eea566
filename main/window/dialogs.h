#pragma once

#include <QString>
#include <QStringList>

class QWidget;

enum class MessageIcon
{
    None,
    Error,
    Question,
    Information
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

// The one seam through which the window runs every modal interaction, so that tests can answer
// dialogs without a person and read what would have been shown.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Shows the box modally and returns the index of the pressed button in request.buttons,
    // or -1 when the box was closed without one.
    virtual int message(QWidget *parent, const MessageRequest &request) = 0;
};
