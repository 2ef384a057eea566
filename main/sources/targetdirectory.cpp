#include "errors/fileerror.h"
#include "search/nativepath.h"
#include "sources/targetmessages.h"
#include "window/dialogs.h"
#include "window/tform1.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTreeWidget>
#include <cerrno>
#include <sys/stat.h>

namespace {

const QString noRows =
    QStringLiteral("Kein Ergebnisdateien zum exportieren. Führen Sie zunächst eine Suche durch.");
const QString noTarget = QStringLiteral(
    "Es ist kein Zielverzeichnis angegeben. Bitte geben Sie ein neues Zielverzeichnis an.");

QString cannotCreate(const QString &path, int errorNumber)
{
    // Creating a directory in a missing one is a missing path, not a missing file.
    const int shown = errorNumber == ENOENT ? ENOTDIR : errorNumber;
    return QStringLiteral("Das Zielverzeichnis %1 kann nicht erstellt werden. %2. Der Vorgang "
                          "wurde abgebrochen.")
        .arg(shownPath(path), systemErrorText(shown));
}

// One level only: a missing parent usually means a mistyped path. Returns 0 or the error number.
int makeDirectory(const QString &path)
{
    return ::mkdir(nativePath(path).constData(), 0777) == 0 ? 0 : errno;
}

} // namespace

bool TForm1::prepareTargetDirectory()
{
    // A second output into a target directory would start while the first one still copies.
    if (refuseWhileSaving())
        return false;
    if (files->topLevelItemCount() == 0) {
        m_dialogs->message(this, errorBox(noRows));
        return false;
    }
    const QString target = zielverz->text();
    // An empty field would put the new files at the root of the file system.
    if (target.isEmpty()) {
        m_dialogs->message(this, errorBox(noTarget));
        return false;
    }
    if (QFileInfo(target).isDir()) {
        m_dialogs->message(this, errorBox(targetDirectoryExists));
        return false;
    }
    if (const int error = makeDirectory(target)) {
        m_dialogs->message(this, errorBox(cannotCreate(target, error)));
        return false;
    }
    return true;
}
