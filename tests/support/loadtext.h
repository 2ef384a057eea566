#pragma once

#include <QString>

// The text of a source file by the loading rule, read whole and decoded from Windows-1252 in one
// piece: the plain reference that the loaders of search and preview are checked against.
QString loadText(const QString &path);
