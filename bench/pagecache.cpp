#include "pagecache.h"

#include <QFile>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

bool dropPageCache()
{
    const int fd = ::open("/proc/sys/vm/drop_caches", O_WRONLY);
    if (fd < 0)
        return false;
    ::sync();
    const bool done = ::write(fd, "3", 1) == 1;
    ::close(fd);
    return done;
}

int adviseOutOfPageCache(const QStringList &paths)
{
    int failures = 0;
    for (const QString &path : paths) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        if (fd < 0) {
            ++failures;
            continue;
        }
        // Dirty pages are not dropped, so they are written out first.
        ::fdatasync(fd);
        if (::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) != 0)
            ++failures;
        ::close(fd);
    }
    return failures;
}

Eviction evictFromPageCache(const QStringList &paths)
{
    Eviction eviction;
    if (dropPageCache())
        eviction.method = Eviction::DropCaches;
    else
        eviction.failures = adviseOutOfPageCache(paths);
    return eviction;
}

QString describeEviction(const Eviction &eviction)
{
    QString text = eviction.method == Eviction::DropCaches
                       ? QStringLiteral("drop_caches")
                       : QStringLiteral("fadvise DONTNEED per file (dentries/inodes stay cached)");
    if (eviction.failures > 0)
        text += QStringLiteral(", %1 files failed").arg(eviction.failures);
    return text;
}

double residentShare(const QStringList &paths)
{
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    qint64 pages = 0;
    qint64 resident = 0;
    bool looked = false;
    for (const QString &path : paths) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        if (fd < 0)
            continue;
        struct stat status;
        const bool sized = ::fstat(fd, &status) == 0;
        if (!sized || status.st_size == 0) {
            looked = looked || sized;
            ::close(fd);
            continue;
        }
        void *map = ::mmap(nullptr, size_t(status.st_size), PROT_READ, MAP_SHARED, fd, 0);
        ::close(fd);
        if (map == MAP_FAILED)
            continue;
        std::vector<unsigned char> vector(size_t((status.st_size + pageSize - 1) / pageSize));
        if (::mincore(map, size_t(status.st_size), vector.data()) == 0) {
            looked = true;
            pages += qint64(vector.size());
            for (unsigned char page : vector)
                resident += page & 1;
        }
        ::munmap(map, size_t(status.st_size));
    }
    if (!looked)
        return -1.0;
    return pages == 0 ? 0.0 : double(resident) / double(pages);
}
