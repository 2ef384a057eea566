#include "files/wholefile.h"

#include "errors/fileerror.h"
#include "text/nativepath.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The process's file creation mask; it can only be read by setting it, so it is put back at once.
mode_t creationMask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The file a link at path leads to, so that the link stays a link; path itself otherwise.
QByteArray followedLinks(const QByteArray &path)
{
    struct stat status;
    if (::lstat(path.constData(), &status) != 0 || !S_ISLNK(status.st_mode))
        return path;
    char resolved[PATH_MAX];
    return ::realpath(path.constData(), resolved) ? QByteArray(resolved) : path;
}

QByteArray directoryOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

} // namespace

WholeFile::WholeFile(const QString &path) : m_target(followedLinks(nativePath(path)))
{
    struct stat status;
    m_mode = ::stat(m_target.constData(), &status) == 0 ? status.st_mode & 07777
                                                        : 0666 & ~creationMask();
}

WholeFile::~WholeFile()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    ::unlink(m_temporary.constData());
}

Failure WholeFile::failure(int errorNumber) const
{
    struct stat status;
    if (::stat(directoryOf(m_target).constData(), &status) != 0 || !S_ISDIR(status.st_mode))
        return {QStringLiteral("Das Verzeichnis existiert nicht"), errorNumber};
    return {systemErrorText(errorNumber), errorNumber};
}

std::optional<Failure> WholeFile::open()
{
    const qsizetype slash = m_target.lastIndexOf('/');
    // A plain name for the temporary file: the target's own may be near the length limit.
    m_temporary = m_target.left(slash + 1) + ".qvx-XXXXXX";
    m_fd = ::mkostemp(m_temporary.data(), O_CLOEXEC);
    if (m_fd < 0)
        return failure(errno);
    return std::nullopt;
}

std::optional<Failure> WholeFile::commit()
{
    return commitBy(true);
}

std::optional<Failure> WholeFile::commitNew()
{
    return commitBy(false);
}

std::optional<Failure> WholeFile::commitBy(bool replace)
{
    if (::fchmod(m_fd, m_mode) != 0 || ::fsync(m_fd) != 0)
        return failure(errno);
    if (replace) {
        if (std::rename(m_temporary.constData(), m_target.constData()) != 0)
            return failure(errno);
    } else if (::link(m_temporary.constData(), m_target.constData()) == 0) {
        // The link took the name, which it does only while the name is free.
        ::unlink(m_temporary.constData());
    } else if (errno == EPERM || errno == EOPNOTSUPP) {
        // A file system without hard links (FAT on a stick): a look first, then the rename.
        struct stat status;
        if (::lstat(m_target.constData(), &status) == 0)
            return failure(EEXIST);
        if (std::rename(m_temporary.constData(), m_target.constData()) != 0)
            return failure(errno);
    } else {
        return failure(errno);
    }
    ::close(m_fd);
    m_fd = -1;
    return std::nullopt;
}
