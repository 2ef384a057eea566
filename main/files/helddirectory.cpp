#include "files/helddirectory.h"

#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

#ifndef O_PATH
#define O_PATH O_RDONLY
#endif

HeldDirectory::~HeldDirectory()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

HeldDirectory::Place HeldDirectory::place(const char *nativePath)
{
    const char *slash = std::strrchr(nativePath, '/');
    if (!slash || slash[1] == '\0')
        return {AT_FDCWD, nativePath};
    // With its separator, so that the root is "/" and not nothing.
    const std::string_view directory(nativePath, size_t(slash - nativePath) + 1);
    if (directory != m_path)
        hold(directory);
    if (m_fd < 0)
        return {AT_FDCWD, nativePath};
    return {m_fd, slash + 1};
}

void HeldDirectory::hold(std::string_view directory)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_path.assign(directory);
    // O_PATH asks for no right to read the directory: its texts are found as the whole path
    // finds them, by the right to search it, which the kernel checks at every open.
    m_fd = ::open(m_path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}
