#pragma once

#include <QFile>
#include <QString>
#include <dirent.h>

#ifdef Q_OS_LINUX
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

// While it lives, the permission bits of files and directories bind the calling thread even
// when the tests run as root: the capabilities that let root pass over them are switched off
// for this thread (capabilities belong to a thread) and back on at the end. Elsewhere the bits
// bind anyway.
class PermissionsEnforced
{
public:
    PermissionsEnforced()
    {
#ifdef Q_OS_LINUX
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        if (syscall(SYS_capget, &header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_reduced = syscall(SYS_capset, &header, reduced) == 0;
#endif
    }
    ~PermissionsEnforced()
    {
#ifdef Q_OS_LINUX
        if (!m_reduced)
            return;
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        syscall(SYS_capset, &header, m_saved);
#endif
    }
    PermissionsEnforced(const PermissionsEnforced &) = delete;
    PermissionsEnforced &operator=(const PermissionsEnforced &) = delete;

    // Whether a file without read permission really cannot be opened now; a test that relies on
    // it is skipped otherwise.
    static bool bind(const QString &unreadableFile)
    {
        QFile file(unreadableFile);
        return !file.open(QIODevice::ReadOnly);
    }

    // Whether a directory can still be listed, which a test of a refused listing cannot use.
    static bool directoryReadable(const QString &directory)
    {
        DIR *stream = opendir(QFile::encodeName(directory).constData());
        if (stream)
            closedir(stream);
        return stream != nullptr;
    }

private:
#ifdef Q_OS_LINUX
    __user_cap_data_struct m_saved[2]{};
    bool m_reduced = false;
#endif
};
