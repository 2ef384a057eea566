#pragma once

#include <QFileDevice>
#include <QString>

// The German text a Windows user knows for the same condition as the C library's error number,
// without a closing full stop (the error handler adds one where it belongs). Every message about
// a failed read, copy, listing or write takes its reason from here.
QString systemErrorText(int errorNumber);

// The reason of the last failure of a Qt file, recovered from the system's own text that Qt keeps
// for it; Qt's error codes alone lump different causes together (a full disk is a "resource
// error"). Falls back to the Qt error code where the text names no known error number.
QString systemErrorText(const QFileDevice &file);

// The error number whose text systemErrorText(file) gives, 0 where it gives a text of Qt's own.
int systemErrorNumber(const QFileDevice &file);
