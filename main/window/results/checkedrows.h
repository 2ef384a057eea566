#pragma once

#include <QStringList>

class QTreeWidget;

// The captions (full paths) of the checked result rows, from the top row down.
QStringList checkedCaptions(const QTreeWidget *files);
