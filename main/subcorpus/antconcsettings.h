#pragma once

#include <QString>
#include <QStringList>

// The lines of an AntConc settings file: the version's template, one empty line, then
// "FILE " + path for every text in the given order. Each line is to be written with CR LF.
QStringList antconcSettingsLines(int version, const QStringList &paths);
