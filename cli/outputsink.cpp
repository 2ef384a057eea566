#include "outputsink.h"

#include "errors/qvxerror.h"
#include "files/filecopy.h"
#include "files/sourcefile.h"
#include "files/wholefile.h"
#include "files/writetarget.h"
#include "text/nativepath.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qsizetype flushSize = 256 * 1024;

// Closed by the caller (">&-"): the system's text for EBADF speaks of a bad file name.
const QString closedOutput = QStringLiteral("Sie ist geschlossen; bitte mit -o DATEI in eine "
                                            "Datei schreiben.");

// The temporary file beside path could not be created although its directory exists, as in
// /proc: the system's "not found" would point at the wrong thing.
bool directoryRefusesFiles(const QString &path, int errorNumber)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return errorNumber == ENOENT &&
           isDirectory(slash < 0 ? QStringLiteral(".") : path.left(slash + 1));
}

} // namespace

OutputSink::OutputSink(const QString &path) : m_path(path)
{
    m_buffer.reserve(flushSize + 4096);
    if (path.isEmpty()) {
        const int flags = ::fcntl(STDOUT_FILENO, F_GETFL);
        if (flags == -1 || (flags & O_ACCMODE) == O_RDONLY)
            fail(closedOutput);
        m_terminal = ::isatty(STDOUT_FILENO) == 1;
        return;
    }
    if (const auto refusal = refusedTargetReason(path))
        fail(refusal->reason);
    m_file = std::make_unique<WholeFile>(path);
    if (const auto failure = m_file->open()) {
        if (directoryRefusesFiles(path, failure->errorNumber))
            fail(QStringLiteral("In ihrem Verzeichnis kann keine neue Datei angelegt werden."));
        fail(failure->reason);
    }
    m_descriptor = m_file->descriptor();
}

OutputSink::~OutputSink() = default;

void OutputSink::fail(const QString &reason) const
{
    if (m_path.isEmpty())
        throw QvxError(
            QStringLiteral("Die Standardausgabe kann nicht geschrieben werden. %1").arg(reason));
    throw QvxError(fileNotWrittenMessage(m_path, reason));
}

void OutputSink::written()
{
    if (m_terminal || m_buffer.size() >= flushSize)
        flush();
}

void OutputSink::flush()
{
    const auto failure = writeAll(m_descriptor, m_buffer.constData(), m_buffer.size());
    m_buffer.clear();
    if (!failure)
        return;
    if (failure->errorNumber == EPIPE && !m_file)
        throw BrokenPipe();
    if (failure->errorNumber == EBADF && !m_file)
        fail(closedOutput);
    fail(failure->reason);
}

void OutputSink::finish()
{
    flush();
    if (!m_file)
        return;
    if (const auto failure = m_file->commit())
        fail(failure->reason);
}

void OutputSink::finishPrefix()
{
    if (!m_file)
        flush();
}
