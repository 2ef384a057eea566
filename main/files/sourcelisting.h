#pragma once

#include <QString>
#include <QStringList>

// The names (without directory) of the files directly inside directory whose names match
// "*.txt" in any case, leaving out hidden files and everything that is not a plain file, sorted
// by the collation of the default locale with case ignored. Throws QvxError with a German text
// when the directory does not exist or cannot be read.
QStringList listSourceTexts(const QString &directory);

// sourcePaths(directory, listSourceTexts(directory)), built without a list of names in between.
QStringList listSourcePaths(const QString &directory);

// The names of the directories directly inside directory, by the same rule: no hidden ones, no
// links, sorted alike. Throws as listSourceTexts does.
QStringList listSubdirectories(const QString &directory);

// The source paths of names inside directory: the directory as given, the platform's separator
// and the name. A directory that already ends in a separator (the root) is joined unchanged, so
// the separator is doubled there.
QStringList sourcePaths(const QString &directory, const QStringList &names);
