#pragma once

#include <QDate>
#include <QString>

// date as the C library writes it with cFormat under the user's LC_TIME; "%x" is the user's
// short date format (German: 20.07.2015).
QString shortDateText(const QDate &date, const QString &cFormat = QStringLiteral("%x"));

// The new target directory proposed inside folder: "Subkorpus" followed by date in
// shortDateFormat (a C library format, see shortDateText) without its dots and slashes.
QString proposeTargetName(const QString &folder, const QDate &date,
                          const QString &shortDateFormat = QStringLiteral("%x"));
