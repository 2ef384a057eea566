#pragma once

#include <QString>

// The error texts with which saving and the settings export refuse a target.
inline const QString noRowsMessage =
    QStringLiteral("Kein Ergebnisdateien zum exportieren. Führen Sie zunächst eine Suche durch.");
inline const QString targetExistsMessage =
    QStringLiteral("Das Zielverzeichnis existiert bereits. Bitte erstellen Sie ein neues oder "
                   "wählen Sie ein anderes Zielverzeichnis.");
inline const QString noTargetMessage = QStringLiteral(
    "Es ist kein Zielverzeichnis angegeben. Bitte geben Sie ein neues Zielverzeichnis an.");
