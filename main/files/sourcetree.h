#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Handed each directory of a walk as reached, with the names of its texts; false ends the walk.
using SourceTreeVisit = std::function<bool(const QString &directory, const QStringList &names)>;
// Handed the German text of a directory that the walk could not read.
using SourceTreeError = std::function<void(const QString &message)>;

// Walks directory and every directory below it, depth first: a directory's texts (by the rule of
// listSourceTexts) are visited before its subdirectories (by the rule of listSubdirectories, so
// neither hidden directories nor links) are entered one after the other. A subdirectory is
// reached as sourcePaths joins it to its parent. A directory that cannot be read is reported to
// onError and left out, together with everything below it, and the walk goes on; without
// onError its QvxError is thrown. Returns false when visit ended the walk.
bool walkSourceTree(const QString &directory, const SourceTreeVisit &visit,
                    const SourceTreeError &onError = {});
