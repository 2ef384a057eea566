#pragma once

#include <QString>
#include <optional>

// Creates the new target directory of an output (the subcorpus copy, the settings file), one
// level only: a missing parent usually means a mistyped path. An output never writes into a
// directory that was there before. Returns the German message of a refusal: no path given, a
// directory exists there already, or it cannot be created.
std::optional<QString> createTargetDirectory(const QString &target);
