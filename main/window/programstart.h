#pragma once

class QCoreApplication;

// Loads the German texts of Qt's own dialogs, whatever the system locale. Returns false when
// the translations are not installed; the dialogs then speak English.
bool installGermanTranslations(QCoreApplication &app);

// Has the allocator merge each small freed block at once. By default glibc keeps them aside and
// merges them all when a larger block is freed later: after a run over a million sources had
// freed millions of small strings, one such merge held the window 60 to 70 ms. Called first
// thing, before any thread starts.
void mergeFreedMemoryAtOnce();
