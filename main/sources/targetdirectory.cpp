#include "sources/targetmessages.h"
#include "window/dialogs.h"
#include "window/tform1.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

const QString noRows =
    QStringLiteral("Kein Ergebnisdateien zum exportieren. Führen Sie zunächst eine Suche durch.");
const QString noTarget = QStringLiteral(
    "Es ist kein Zielverzeichnis angegeben. Bitte geben Sie ein neues Zielverzeichnis an.");

QString cannotCreate(const QString &path)
{
    const QFileInfo info(path);
    QString reason;
    if (info.exists())
        reason = QStringLiteral("Es gibt dort bereits eine Datei dieses Namens.");
    else if (!info.absoluteDir().exists())
        reason = QStringLiteral("Das übergeordnete Verzeichnis existiert nicht.");
    else
        reason = QStringLiteral("Fehlt die Schreibberechtigung?");
    return QStringLiteral("Das Zielverzeichnis %1 kann nicht erstellt werden. %2 Der Vorgang "
                          "wurde abgebrochen.")
        .arg(path, reason);
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
    // Only one level is created: a missing parent usually means a mistyped path.
    if (!QDir().mkdir(target)) {
        m_dialogs->message(this, errorBox(cannotCreate(target)));
        return false;
    }
    return true;
}
