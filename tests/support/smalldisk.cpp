#include "smalldisk.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#include <unistd.h>

SmallDisk::SmallDisk(const QString &directory, qint64 bytes) : m_directory(directory)
{
    if (::geteuid() != 0 || !QDir().mkpath(directory))
        return;
    const QByteArray options = "size=" + QByteArray::number(bytes);
    m_active = ::mount("tmpfs", QFile::encodeName(directory).constData(), "tmpfs", 0,
                       options.constData()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (m_active)
        ::umount2(QFile::encodeName(m_directory).constData(), MNT_DETACH);
}
#else
SmallDisk::SmallDisk(const QString &directory, qint64 /*bytes*/) : m_directory(directory) {}
SmallDisk::~SmallDisk() = default;
#endif
