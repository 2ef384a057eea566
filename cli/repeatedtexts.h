#pragma once

#include <QStringList>
#include <functional>

// The paths without those that name a file met before (by device and inode, so also through a
// link or another spelling): counted twice, it would double its rows and its copy. Each one left
// out is reported through note; a path that cannot be looked at stays, for its reading to fail.
QStringList withoutRepeatedTexts(const QStringList &paths,
                                 const std::function<void(const QString &)> &note);
