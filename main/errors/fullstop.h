#pragma once

#include <QString>

// An error's text as it is shown: a full stop is appended only when the last character's code is
// above that of "." (so a text ending in ".", ")" or a blank gets none).
QString withFullStop(const QString &text);
