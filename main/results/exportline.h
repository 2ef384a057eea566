#pragma once

#include <QString>
#include <QStringList>

// One line of the result table export: the row's path (line breaks in it written as '?'), then
// the texts of its number cells, all separated by TAB.
QString exportLine(const QString &path, const QStringList &numberCells);
