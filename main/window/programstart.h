#pragma once

class QCoreApplication;

// Loads the German texts of Qt's own dialogs, whatever the system locale. Returns false when
// the translations are not installed; the dialogs then speak English.
bool installGermanTranslations(QCoreApplication &app);
