#include "files/textfilewriter.h"

#include "errors/qvxerror.h"
#include "files/sourcefile.h"
#include "files/wholefile.h"
#include "files/writetarget.h"
#include "text/codepage.h"

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
    WholeFile file(path);
    if (const auto failure = file.open())
        fail(path, failure->reason);
    if (const auto failure = writeAll(file.descriptor(), bytes.constData(), bytes.size()))
        fail(path, failure->reason);
    if (const auto failure = file.commit())
        fail(path, failure->reason);
}

void appendWindowsLine(QByteArray &bytes, const QString &line)
{
    bytes += cp1252::encode(line);
    bytes += "\r\n";
}
