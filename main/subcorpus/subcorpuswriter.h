#pragma once

#include "errors/failure.h"
#include "files/filecopy.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

// The steps of writing a subcorpus into a new target directory, shared by the window and qvx-cli:
// each front end runs them in its own loop, with its own questions and messages. The directory
// itself is created by createTargetDirectory (files/targetcreation.h).

// The refusal of a target directory that exists already: an output never writes into a directory
// that was there before, except createdHere, the canonical path (canonicalTarget) of the one this
// output created. Its reason is the German message.
std::optional<Failure> existingTargetRefusal(const QString &target,
                                             const QString &createdHere = {});

// The first two texts that would meet under one name in the target, in the order given.
std::optional<std::pair<QString, QString>> sameNamedTexts(const QStringList &paths);

// Where the copy of the text at path goes: its file name directly in target.
QString textDestination(const QString &target, const QString &path);

// Copies the text at path whole into target, replacing a file of its name there. On failure, the
// reason holds the whole German report of the failed copy (copyFailedMessage).
std::optional<Failure> copyTextInto(const QString &target, const QString &path);

// Writes the AntConc settings file of version into target, listing the texts with full paths,
// since AntConc opens them from wherever it runs. Returns the full paths written with '?' in place
// of what Windows-1252 lacks. Throws QvxError with a German message when it cannot be written.
QStringList writeSettingsFile(const QString &target, int version, const QStringList &paths);

// Removes target when nothing is in it: an empty directory left by a failed output would only
// refuse the next try as existing already. Anything written there stays.
void removeEmptyTarget(const QString &target);
