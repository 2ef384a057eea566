#pragma once

#include <string>
#include <string_view>

// Opens texts by their names inside their directory, held open from one text to the next: a run
// over many texts of one directory spares the kernel the walk along the directory's path for each
// of them. The directory stays the one its path named when it was first held, so only a run over
// a snapshot of paths uses it, where a directory moved meanwhile changes nothing that counts.
class HeldDirectory
{
public:
    HeldDirectory() = default;
    ~HeldDirectory();
    HeldDirectory(const HeldDirectory &) = delete;
    HeldDirectory &operator=(const HeldDirectory &) = delete;

    // Where a file is opened: a directory descriptor (or AT_FDCWD) and a path relative to it.
    struct Place
    {
        int directory;
        const char *name;
    };
    // Where to open nativePath: by its last component inside its directory, or by the whole path
    // when that directory cannot be held (a directory that may be searched but not opened still
    // gives every text the error of its own open). name points into nativePath.
    Place place(const char *nativePath);

private:
    void hold(std::string_view directory);

    std::string m_path;
    int m_fd = -1;
};
