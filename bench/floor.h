#pragma once

#include <QByteArray>
#include <vector>

// Reads every file whole, a piece at a time into one small buffer of each thread (no larger than
// the largest file needs), and does nothing else, on threads threads that take the files in turn;
// returns the bytes read. The physical floor of any search.
qint64 readEveryFile(const std::vector<QByteArray> &paths, qint64 largestFile, int threads);
