#include "outputsink.h"

#include "errors/fileerror.h"
#include "errors/qvxerror.h"
#include "files/sourcefile.h"
#include "text/nativepath.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace {

constexpr qsizetype flushSize = 256 * 1024;

} // namespace

OutputSink::OutputSink(const QString &path) : m_path(path)
{
    m_buffer.reserve(flushSize + 4096);
    if (path.isEmpty())
        return;
    // A device or a directory would be replaced by a plain file: only plain files are replaced.
    const QFileInfo target(path);
    if (target.isDir())
        fail(QStringLiteral("Es gibt dort ein Verzeichnis dieses Namens"));
    if (target.exists() && !target.isFile())
        fail(QStringLiteral("Das Ziel ist keine gewöhnliche Datei"));
    m_file = std::make_unique<QSaveFile>(path);
    if (!m_file->open(QIODevice::WriteOnly))
        fail(target.absoluteDir().exists() ? systemErrorText(*m_file)
                                           : QStringLiteral("Das Verzeichnis existiert nicht"));
    m_descriptor = m_file->handle();
}

OutputSink::~OutputSink() = default;

void OutputSink::fail(const QString &reason) const
{
    if (m_path.isEmpty())
        throw QvxError(
            QStringLiteral("Die Standardausgabe kann nicht geschrieben werden. %1").arg(reason));
    throw QvxError(QStringLiteral("Die Datei %1 konnte nicht geschrieben werden. %2")
                       .arg(shownPath(m_path), reason));
}

void OutputSink::written()
{
    if (m_buffer.size() >= flushSize)
        flush();
}

void OutputSink::flush()
{
    const int error = writeAll(m_descriptor, m_buffer.constData(), m_buffer.size());
    m_buffer.clear();
    if (error == EPIPE && !m_file)
        throw BrokenPipe();
    if (error)
        fail(systemErrorText(error));
}

void OutputSink::finish()
{
    flush();
    if (m_file && !m_file->commit())
        fail(systemErrorText(*m_file));
}
