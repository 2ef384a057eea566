#pragma once

#include <QString>

// The refusal of a target directory that exists already, shown by saving and the settings export.
inline const QString targetDirectoryExists =
    QStringLiteral("Das Zielverzeichnis existiert bereits. Bitte erstellen Sie ein neues oder "
                   "wählen Sie ein anderes Zielverzeichnis.");
