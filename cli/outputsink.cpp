#include "outputsink.h"

#include "errors/qvxerror.h"
#include "files/sourcefile.h"
#include "files/writetarget.h"

#include <cerrno>

namespace {

constexpr qsizetype flushSize = 256 * 1024;

} // namespace

OutputSink::OutputSink(const QString &path) : m_path(path)
{
    m_buffer.reserve(flushSize + 4096);
    if (path.isEmpty())
        return;
    if (const auto refusal = refusedTargetReason(path))
        fail(refusal->reason);
    m_file = std::make_unique<QSaveFile>(path);
    if (!m_file->open(QIODevice::WriteOnly))
        fail(writeFailureReason(path, *m_file));
    m_descriptor = m_file->handle();
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
    if (m_buffer.size() >= flushSize)
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
    if (m_file && !m_file->commit())
        fail(writeFailureReason(m_path, *m_file));
}
