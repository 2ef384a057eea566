#include "files/sourcefile.h"

#include "errors/fileerror.h"
#include "text/nativepath.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

SourceFile::SourceFile(const QString &path) : SourceFile(nativePath(path).constData()) {}

SourceFile::SourceFile(const char *nativePath) : SourceFile(AT_FDCWD, nativePath) {}

SourceFile::SourceFile(int directory, const char *nativePath)
{
    m_fd = ::openat(directory, nativePath, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (m_fd < 0) {
        m_failure = systemErrorText(errno);
        return;
    }
    struct stat status;
    if (::fstat(m_fd, &status) != 0)
        fail(systemErrorText(errno));
    else if (S_ISDIR(status.st_mode))
        fail(systemErrorText(EISDIR));
    else if (!S_ISREG(status.st_mode))
        fail(QStringLiteral(
            "Die Datei ist keine gewöhnliche Datei, sondern ein Gerät, eine Pipe oder ein Socket"));
    else {
        m_size = qsizetype(status.st_size);
        m_identity = identityOf(status);
    }
}

SourceFile::~SourceFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void SourceFile::fail(const QString &reason)
{
    m_failure = reason;
    ::close(m_fd);
    m_fd = -1;
}

qsizetype readSome(int descriptor, char *data, qsizetype count)
{
    for (;;) {
        const ssize_t got = ::read(descriptor, data, size_t(count));
        if (got >= 0 || errno != EINTR)
            return qsizetype(got);
    }
}

std::optional<Failure> writeAll(int descriptor, const char *data, qsizetype count)
{
    while (count > 0) {
        const ssize_t written = ::write(descriptor, data, size_t(count));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int errorNumber = written < 0 ? errno : ENOSPC;
            return Failure{systemErrorText(errorNumber), errorNumber};
        }
        data += written;
        count -= written;
    }
    return std::nullopt;
}
