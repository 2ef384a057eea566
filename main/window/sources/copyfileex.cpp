#include "window/sources/copyfileex.h"

#include "files/filecopy.h"
#include "text/nativepath.h"
#include "window/dialogs.h"
#include "window/globals.h"
#include "window/tform1.h"

#include <QDir>

namespace {

QString replaceQuestion(const QString &dest)
{
    return QStringLiteral("Die Datei %1 existiert bereits. Soll sie ersetzt werden?")
        .arg(QDir::toNativeSeparators(shownPath(dest)));
}

} // namespace

bool CopyFileEx(const QString &ASource, const QString &ADest, bool ARenameCheck)
{
    return CopyFileEx(Form1->dialogs(), Form1, ASource, ADest, ARenameCheck);
}

bool CopyFileEx(Dialogs &dialogs, QWidget *parent, const QString &ASource, const QString &ADest,
                bool ARenameCheck)
{
    return copyFileAsked(dialogs, parent, ASource, ADest, ARenameCheck) == CopyOutcome::Copied;
}

CopyOutcome copyFileAsked(Dialogs &dialogs, QWidget *parent, const QString &ASource,
                          const QString &ADest, bool ARenameCheck)
{
    QString dest = ADest;
    if (ARenameCheck) {
        dest = freeFileName(ADest);
    } else if (isRegularFile(ADest)) {
        if (!confirmed(dialogs, parent, replaceQuestion(ADest)))
            return CopyOutcome::NotCopied;
    }
    const auto failure = copyFileWhole(ASource, dest);
    if (!failure)
        return CopyOutcome::Copied;
    MessageRequest box = errorBox(copyFailedMessage(ASource, dest, failure->reason));
    if (failure->diskFull()) {
        box.text += QStringLiteral(" Es werden keine weiteren Texte kopiert.");
        dialogs.message(parent, box);
        return CopyOutcome::StopCopying;
    }
    box.buttons = QStringList{QStringLiteral("Weiter"), QStringLiteral("Abbrechen")};
    const int goOn = 0;
    return dialogs.message(parent, box) == goOn ? CopyOutcome::NotCopied : CopyOutcome::StopCopying;
}
