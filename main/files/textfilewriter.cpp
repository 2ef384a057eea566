#include "files/textfilewriter.h"

#include "errors/qvxerror.h"
#include "files/sourcefile.h"
#include "files/writetarget.h"
#include "text/codepage.h"

#include <QSaveFile>

namespace {

[[noreturn]] void fail(const QString &path, const QString &reason)
{
    throw QvxError(fileNotWrittenMessage(path, reason));
}

} // namespace

void writeWindowsLines(const QString &path, const QStringList &lines)
{
    if (const auto refusal = refusedTargetReason(path))
        fail(path, refusal->reason);
    QByteArray bytes;
    for (const QString &line : lines)
        appendWindowsLine(bytes, line);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(path, writeFailureReason(path, file));
    // Written past Qt's buffer: a disk that fills up in the middle of a write shows as a short
    // write, which Qt reports without its reason.
    if (const auto failure = writeAll(file.handle(), bytes.constData(), bytes.size()))
        fail(path, failure->reason);
    if (!file.commit())
        fail(path, writeFailureReason(path, file));
}

void appendWindowsLine(QByteArray &bytes, const QString &line)
{
    bytes += cp1252::encode(line);
    bytes += "\r\n";
}
