#pragma once

#include "errors/failure.h"

#include <QString>
#include <optional>

// Creates the new target directory of an output (the subcorpus copy, the settings file), one
// level only: a missing parent usually means a mistyped path. An output never writes into a
// directory that was there before. Returns a refusal, its reason the German message: no path
// given, a directory exists there already, or it cannot be created (with the error number).
std::optional<Failure> createTargetDirectory(const QString &target);

// The full path of the directory at target with links resolved, by its bytes (see nativePath);
// empty when nothing is there.
QString canonicalTarget(const QString &target);
