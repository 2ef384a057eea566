#include "files/fileidentity.h"

#include <algorithm>
#include <ctime>
#include <sys/stat.h>

namespace {

qint64 nanoseconds(const struct timespec &time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + qint64(time.tv_nsec);
}

} // namespace

bool FileIdentity::operator==(const FileIdentity &other) const
{
    return device == other.device && inode == other.inode && size == other.size &&
           modifiedNs == other.modifiedNs && changedNs == other.changedNs;
}

FileIdentity identityOf(const struct stat &status)
{
    FileIdentity identity;
    identity.device = quint64(status.st_dev);
    identity.inode = quint64(status.st_ino);
    identity.size = qint64(status.st_size);
    identity.modifiedNs = nanoseconds(status.st_mtim);
    identity.changedNs = nanoseconds(status.st_ctim);
    return identity;
}

std::optional<FileIdentity> currentIdentity(const char *nativePath)
{
    struct stat status;
    if (::stat(nativePath, &status) != 0)
        return std::nullopt;
    return identityOf(status);
}

qint64 fileClockNs()
{
    struct timespec now;
    ::clock_gettime(CLOCK_REALTIME, &now);
    return nanoseconds(now);
}

qint64 fileTimeStepNs(const FileIdentity &identity)
{
    constexpr qint64 second = 1'000'000'000;
    const qint64 parts[] = {identity.modifiedNs % second, identity.changedNs % second};
    if (parts[0] == 0 && parts[1] == 0)
        return 2 * second;
    qint64 step = 1;
    while (step < second && parts[0] % (step * 10) == 0 && parts[1] % (step * 10) == 0)
        step *= 10;
    return step;
}

bool settledBefore(const FileIdentity &identity, qint64 readStartNs)
{
    const qint64 lastChange = std::max(identity.modifiedNs, identity.changedNs);
    return lastChange + fileTimeStepNs(identity) < readStartNs - kFileClockMarginNs;
}
