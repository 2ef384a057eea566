#include "sources/copyfileex.h"

#include "sources/filecopy.h"
#include "window/dialogs.h"
#include "window/globals.h"
#include "window/tform1.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString replaceQuestion(const QString &dest)
{
    return QStringLiteral("Die Datei %1 existiert bereits. Soll sie ersetzt werden?")
        .arg(QDir::toNativeSeparators(dest));
}

QString copyFailed(const QString &source, const QString &dest, const QString &reason)
{
    return QStringLiteral("Die Datei %1 konnte nicht nach %2 kopiert werden. %3")
        .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(dest), reason);
}

} // namespace

bool CopyFileEx(const QString &ASource, const QString &ADest, bool ARenameCheck)
{
    return CopyFileEx(Form1->dialogs(), Form1, ASource, ADest, ARenameCheck);
}

bool CopyFileEx(Dialogs &dialogs, QWidget *parent, const QString &ASource, const QString &ADest,
                bool ARenameCheck)
{
    QString dest = ADest;
    if (ARenameCheck) {
        dest = freeFileName(ADest);
    } else if (QFileInfo(ADest).isFile()) {
        if (!confirmed(dialogs, parent, replaceQuestion(ADest)))
            return false;
    }
    if (const auto reason = copyFileWhole(ASource, dest)) {
        dialogs.message(parent, errorBox(copyFailed(ASource, dest, *reason)));
        return false;
    }
    return true;
}
