#pragma once

#include <QtGlobal>
#include <optional>

struct stat;

// What tells one state of a file from another without reading it: the file itself (device and
// inode, so a replaced or renamed file differs) and its size and change times. Writing to a file
// or changing its permissions moves its change time on.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;

    bool operator==(const FileIdentity &other) const;
    bool operator!=(const FileIdentity &other) const { return !(*this == other); }
};

FileIdentity identityOf(const struct stat &status);

// The identity of the file that the path names now (after links); none when it cannot be looked
// at.
std::optional<FileIdentity> currentIdentity(const char *nativePath);

// The system's clock as file times give it, in nanoseconds.
qint64 fileClockNs();

// Well above the coarse clock's tick, 1 to 10 ms after the kernel's timer frequency.
constexpr qint64 kFileClockMarginNs = 20'000'000;

// The step in which the file system keeps the file's times: 1 ns where they carry nanoseconds,
// coarser where every time of the file is a multiple of a power of ten. Whole seconds are taken
// for two, the step of FAT's modification times.
qint64 fileTimeStepNs(const FileIdentity &identity);

// Whether the file had its last change clearly before the moment its reading began. File times
// advance in ticks of the kernel's coarse clock and are cut to the file system's step, so a write
// just after the reading began may leave the times as they were; only a file whose last change
// lies a step and a safe margin back can be told from a later state by its identity alone.
bool settledBefore(const FileIdentity &identity, qint64 readStartNs);
