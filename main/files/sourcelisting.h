#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <functional>
#include <vector>

// The names (without directory) of the files directly inside directory whose names match
// "*.txt" in any case, leaving out hidden files and everything that is not a plain file, sorted
// by the collation of the default locale with case ignored. Throws QvxError with a German text
// when the directory does not exist or cannot be read.
QStringList listSourceTexts(const QString &directory);

// sourcePaths(directory, listSourceTexts(directory)), built without a list of names in between.
QStringList listSourcePaths(const QString &directory);

// Told the name of each text of a directory as the listing meets it, in the directory's own order,
// by the bytes the file system gives.
using ListingWatch = std::function<void(const char *name, std::size_t length)>;

// The source paths of a listing, with the place of each in the directory's own order: paths[k]
// was the listedAt[k]-th name the watch was told.
struct SourceListing
{
    QStringList paths;
    std::vector<qsizetype> listedAt;
};

// listSourcePaths(directory), telling watch each name as the directory is read.
SourceListing listSourcePaths(const QString &directory, const ListingWatch &watch);

// The source path that listSourcePaths makes of a name inside directory.
QString sourcePath(const QString &directory, const char *name, std::size_t length);

// The names of the directories directly inside directory, by the same rule: no hidden ones, no
// links, sorted alike. Throws as listSourceTexts does.
QStringList listSubdirectories(const QString &directory);

// The source paths of names inside directory: the directory as given, the platform's separator
// and the name. A directory that already ends in a separator (the root) is joined unchanged, so
// the separator is doubled there.
QStringList sourcePaths(const QString &directory, const QStringList &names);
