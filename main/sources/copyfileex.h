#pragma once

#include <QString>

class Dialogs;
class QWidget;

// Copies the file ASource to the full file name ADest. An existing ADest is replaced only when
// the user agrees; with ARenameCheck the copy takes a free name beside it instead of asking. A
// failed copy is reported in an error box and leaves no half-written file. Returns whether the
// file was copied. Asks and reports through the dialogs of the main window Form1.
bool CopyFileEx(const QString &ASource, const QString &ADest, bool ARenameCheck);

// The same with the dialogs and the parent of its boxes given.
bool CopyFileEx(Dialogs &dialogs, QWidget *parent, const QString &ASource, const QString &ADest,
                bool ARenameCheck);
