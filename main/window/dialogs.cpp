#include "window/dialogs.h"

#include <QCoreApplication>

MessageRequest errorBox(const QString &text)
{
    return {QStringLiteral("Fehler"), text, MessageIcon::Error, {QStringLiteral("OK")}};
}

MessageRequest plainMessage(const QString &text)
{
    return {QCoreApplication::applicationName(), text, MessageIcon::None, {QStringLiteral("OK")}};
}

MessageRequest confirmation(const QString &text)
{
    return {QStringLiteral("Bestätigen"),
            text,
            MessageIcon::Question,
            {QStringLiteral("&Ja"), QStringLiteral("&Nein")}};
}

bool confirmed(Dialogs &dialogs, QWidget *parent, const QString &question)
{
    const int yesButton = 0;
    return dialogs.message(parent, confirmation(question)) == yesButton;
}
