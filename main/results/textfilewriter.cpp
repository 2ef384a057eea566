#include "results/textfilewriter.h"

#include "search/codepage.h"
#include "search/fileerror.h"
#include "search/qvxerror.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

[[noreturn]] void fail(const QString &path, const QSaveFile &file)
{
    const QString reason = QFileInfo(path).absoluteDir().exists()
                               ? germanReason(file.error())
                               : QStringLiteral("Das Verzeichnis existiert nicht");
    throw QvxError(
        QStringLiteral("Die Datei %1 konnte nicht geschrieben werden. %2").arg(path, reason));
}

} // namespace

void writeWindowsLines(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += cp1252::encode(line);
        bytes += "\r\n";
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(path, file);
    // QSaveFile::commit does not notice a failure of the flush that it performs itself, and small
    // contents reach the disk only in that flush; so the flush is done and checked here first.
    if (file.write(bytes) != bytes.size() || !file.flush())
        fail(path, file);
    if (!file.commit())
        fail(path, file);
}
