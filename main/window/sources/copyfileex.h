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

enum class CopyOutcome
{
    Copied,
    // Declined, or failed and the user chose "Weiter".
    NotCopied,
    // Failed, and the user chose "Abbrechen" or the target's disk is full: no further copy.
    StopCopying,
};

// The same, telling a saving loop whether to go on: the box of a failed copy offers "Weiter" and
// "Abbrechen"; a full disk gets a box with "OK" only, since every further copy would fail too.
CopyOutcome copyFileAsked(Dialogs &dialogs, QWidget *parent, const QString &ASource,
                          const QString &ADest, bool ARenameCheck);
