#pragma once

#include <QString>

class WindowDriver;

// The preview of one long text with many search and weighting matches, and whether its marks are
// the expected ones.
void benchPreview(WindowDriver &window, const QString &path, int repetitions);
