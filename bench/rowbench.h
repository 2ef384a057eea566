#pragma once

#include "corpus.h"

class WindowDriver;

// The commands on 100,000 source paths and result rows: adding a directory, sorting by every
// column, checking by a threshold, deleting, exporting and "Texte als neue Quelle".
void benchRows(WindowDriver &window, const Corpus &corpus, const QString &workDirectory,
               int repetitions);
