#pragma once

#include <QByteArray>
#include <vector>

// Reads every file whole into a buffer of each thread and does nothing else, on threads threads
// that take the files in turn; returns the bytes read. The physical floor of any search.
qint64 readEveryFile(const std::vector<QByteArray> &paths, qint64 largestFile, int threads);
