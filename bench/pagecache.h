#pragma once

#include <QString>
#include <QStringList>

// How the files of a corpus were put out of the page cache, and whether that worked.
struct Eviction
{
    enum Method
    {
        DropCaches,
        Fadvise
    };
    Method method = Fadvise;
    // Files that could not be opened or advised.
    int failures = 0;
};

// Drops every clean page of the system's page cache, its directory entries and inodes through
// /proc/sys/vm/drop_caches; false where this process may not write it.
bool dropPageCache();

// Puts the pages of each file out of the page cache with posix_fadvise(POSIX_FADV_DONTNEED)
// after writing out its dirty ones; directory entries and inodes stay cached. Returns how many
// files could not be opened or advised.
int adviseOutOfPageCache(const QStringList &paths);

// Empties the page cache the first way that works here: dropPageCache(), else
// adviseOutOfPageCache(paths).
Eviction evictFromPageCache(const QStringList &paths);

// Describes the method for the table.
QString describeEviction(const Eviction &eviction);

// The share of the pages of paths that are in the page cache, from 0 to 1 (mincore on a mapping
// of each file); -1 when none of them could be looked at.
double residentShare(const QStringList &paths);
