#include "files/textfilewriter.h"

#include "errors/fileerror.h"
#include "errors/qvxerror.h"
#include "files/sourcefile.h"
#include "text/codepage.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

[[noreturn]] void fail(const QString &path, const QString &reason)
{
    throw QvxError(
        QStringLiteral("Die Datei %1 konnte nicht geschrieben werden. %2").arg(path, reason));
}

[[noreturn]] void fail(const QString &path, const QSaveFile &file)
{
    fail(path, QFileInfo(path).absoluteDir().exists()
                   ? systemErrorText(file)
                   : QStringLiteral("Das Verzeichnis existiert nicht"));
}

// QSaveFile puts its temporary file beside the target and renames it over whatever stands
// there: a device or a pipe (/dev/full, say) would be replaced by a plain file, which as root
// even succeeds. Only plain files are therefore replaced; the links to them are followed.
void refuseUnusualTarget(const QString &path)
{
    const QFileInfo target(path);
    if (target.isDir())
        fail(path, QStringLiteral("Es gibt dort ein Verzeichnis dieses Namens"));
    if (target.exists() && !target.isFile())
        fail(path, QStringLiteral("Das Ziel ist keine gewöhnliche Datei"));
}

} // namespace

void writeWindowsLines(const QString &path, const QStringList &lines)
{
    refuseUnusualTarget(path);
    QByteArray bytes;
    for (const QString &line : lines)
        appendWindowsLine(bytes, line);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(path, file);
    // Written past Qt's buffer: a disk that fills up in the middle of a write shows as a short
    // write, which Qt reports without its reason.
    if (const int error = writeAll(file.handle(), bytes.constData(), bytes.size()))
        fail(path, systemErrorText(error));
    if (!file.commit())
        fail(path, file);
}

void appendWindowsLine(QByteArray &bytes, const QString &line)
{
    bytes += cp1252::encode(line);
    bytes += "\r\n";
}
