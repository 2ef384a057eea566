#pragma once

#include <QString>

// Fills directory with count names (sorted as they are made) that are hard links to the *.txt
// files of texts, taken in turn: a corpus of very many sources that costs no more disk space than
// texts. Throws std::runtime_error when texts has no such file or a link cannot be made.
void linkTexts(const QString &texts, int count, const QString &directory);
