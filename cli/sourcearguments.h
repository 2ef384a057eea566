#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>
#include <functional>

// The source paths of the QUELLE operands, in their order. A directory gives its texts by the
// rule of the window's source list (its absolute path, the separator, each name); with recursive
// its subdirectories follow, depth first. "@LISTE" gives the entries of the list file, one per
// line ("@-" and "-" read standard input, from input); an entry that names a directory is listed
// like an operand; several directories are listed at once. Anything else is a text path, kept
// as given. Throws QvxError for a directory or a list that cannot be read, the first one named;
// with onError set, reports each there in the order named and goes on instead. globs choose
// among a directory's texts by name (see CliOptions::globs); texts named directly or in a list
// are kept.
QStringList expandSources(const QStringList &operands, bool recursive, const QStringList &globs,
                          std::FILE *input,
                          const std::function<void(const QString &)> &onError = {});
