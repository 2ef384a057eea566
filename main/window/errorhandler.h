#pragma once

#include <QString>

class Dialogs;
class QWidget;

// The text as the default error handler shows it: a full stop is appended only when the last
// character's code is above that of "." (so a text ending in ".", ")" or a blank gets none).
QString withFullStop(const QString &text);

// The default error handler: the error's text in a box with a stop icon, the application's title
// and "OK".
void showDefaultError(Dialogs &dialogs, QWidget *parent, const QString &text);

// The text of whatever a handler threw, in German.
QString describeCurrentException();
