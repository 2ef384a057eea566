#pragma once

#include "errors/fullstop.h"

#include <QString>

class Dialogs;
class QWidget;

// The default error handler: the error's text in a box with a stop icon, the application's title
// and "OK".
void showDefaultError(Dialogs &dialogs, QWidget *parent, const QString &text);

// The text of whatever a handler threw, in German.
QString describeCurrentException();
