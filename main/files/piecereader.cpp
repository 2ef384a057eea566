#include "files/piecereader.h"

#include "errors/fileerror.h"
#include "errors/qvxerror.h"
#include "files/sourcefile.h"
#include "text/nativepath.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

void throwCannotOpen(const QString &path, const QString &reason)
{
    throw QvxError(QString("Datei %1 kann nicht geöffnet werden. %2").arg(shownPath(path), reason));
}

PieceReader::PieceReader(const SourceFile &file, const QString &path, qsizetype limit)
    : m_descriptor(file.descriptor()), m_path(path), m_limit(qMin(limit, file.size())),
      m_left(m_limit)
{
    if (!file.isOpen())
        throwCannotOpen(path, file.failure());
    m_ended = m_left == 0;
}

qsizetype PieceReader::next(char *data, qsizetype count)
{
    if (m_ended)
        return 0;
    const qsizetype got = readSome(m_descriptor, data, qMin(count, m_left));
    if (got < 0)
        throwCannotOpen(m_path, systemErrorText(errno));
    m_left -= got;
    m_ended = got == 0 || m_left == 0;
    const void *nul = std::memchr(data, '\0', size_t(got));
    if (!nul)
        return got;
    m_ended = true;
    return static_cast<const char *>(nul) - data;
}

void PieceReader::rewind()
{
    if (::lseek(m_descriptor, 0, SEEK_SET) != 0)
        throwCannotOpen(m_path, systemErrorText(errno));
    m_left = m_limit;
    m_ended = m_left == 0;
}
