#include "outputsink.h"

#include "errors/qvxerror.h"
#include "files/sourcefile.h"
#include "files/wholefile.h"
#include "files/writetarget.h"

#include <cerrno>
#include <unistd.h>

namespace {

constexpr qsizetype flushSize = 256 * 1024;

} // namespace

OutputSink::OutputSink(const QString &path) : m_path(path)
{
    m_buffer.reserve(flushSize + 4096);
    if (path.isEmpty()) {
        m_terminal = ::isatty(STDOUT_FILENO) == 1;
        return;
    }
    if (const auto refusal = refusedTargetReason(path))
        fail(refusal->reason);
    m_file = std::make_unique<WholeFile>(path);
    if (const auto failure = m_file->open())
        fail(failure->reason);
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
