#pragma once

#include <QString>

// Compares two texts code unit by code unit after folding only the ASCII letters a to z to upper
// case; other letters (ä, Ä, ß) are compared by their code, so "_" sorts after the letters.
// Returns the difference of the first differing pair, or of the lengths when one text is a
// prefix of the other; 0 for equal texts.
int CompareText(const QString &s1, const QString &s2);
