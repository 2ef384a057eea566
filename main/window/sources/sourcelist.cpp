#include "errors/fileerror.h"
#include "errors/qvxerror.h"
#include "files/sourcelisting.h"
#include "text/nativepath.h"
#include "window/dialogs.h"
#include "window/labelcaption.h"
#include "window/sources/itempaths.h"
#include "window/sources/sourcetreelisting.h"
#include "window/sources/updatessuspended.h"
#include "window/tform1.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <cerrno>
#include <sys/stat.h>

namespace {

const QString resetQuestion =
    QStringLiteral("Sollen die bisherige Liste an Quelldateien zurückgesetzt werden?");
const QString createQuestion =
    QStringLiteral("Das angegebene Verzeichnis ist nicht vorhanden. Soll es erstellt werden?");

} // namespace

void TForm1::Button2Click(QObject * /*Sender*/)
{
    if (box->count() > 0 && confirmed(*m_dialogs, this, resetQuestion))
        box->clear();
    SourceDirectoryOptions options;
    options.encoding = m_sourceEncoding;
    const QString directory = askSourceDirectory(options);
    if (directory.isEmpty())
        return;
    m_sourceEncoding = options.encoding;
    // Listed before anything changes, so that an unreadable directory, or a cancelled walk
    // through its subdirectories, leaves the list, the caption and the working directory as
    // they were.
    QStringList unreadable;
    const std::optional<QStringList> paths =
        options.subdirectories ? listSourceTree(*m_dialogs, this, directory, unreadable)
                               : listSourcePaths(directory);
    if (!paths)
        return;
    QDir::setCurrent(directory);
    {
        const UpdatesSuspended suspended(box);
        appendSourcePaths(box, *paths, m_sourceEncoding);
        setLabelCaption(Label1, QStringLiteral("Quelldateien (*.txt) [%1]").arg(box->count()));
    }
    if (!unreadable.isEmpty())
        throw QvxError(unreadableSubdirectoriesText(unreadable));
}

QString TForm1::askSourceDirectory(SourceDirectoryOptions &options)
{
    // Relative names are taken from the working directory, where the chooser opened.
    const auto absolute = [](const QString &name) {
        return QDir::cleanPath(QFileInfo(name).absoluteFilePath());
    };
    // Only a name that is truly missing may be created; a name that is too long, a link loop or a
    // directory that may not be entered would only fail again, so the chooser closes on it and
    // its reason is reported below.
    const auto lookUp = [&](const QString &name) {
        struct stat status;
        return ::stat(nativePath(absolute(name)).constData(), &status) == 0 ? 0 : errno;
    };
    const QString name = m_dialogs->chooseSourceDirectory(
        this,
        [&](const QString &candidate) {
            return lookUp(candidate) != ENOENT || confirmed(*m_dialogs, this, createQuestion);
        },
        &options);
    if (name.isEmpty())
        return name;
    const QString directory = absolute(name);
    const int error = lookUp(name);
    if (error == ENOENT) {
        if (!QDir().mkpath(directory))
            throw QvxError(QStringLiteral("Das Verzeichnis %1 kann nicht erstellt werden.")
                               .arg(QDir::toNativeSeparators(directory)));
    } else if (error != 0) {
        throw QvxError(QStringLiteral("Das Verzeichnis %1 kann nicht geöffnet werden. %2")
                           .arg(QDir::toNativeSeparators(directory), systemErrorText(error)));
    }
    return directory;
}
