#pragma once

#include <QString>
#include <functional>
#include <vector>

// The median of the seconds that body takes over repetitions runs; prepare runs untimed before
// each of them.
double medianSeconds(int repetitions, const std::function<void()> &body,
                     const std::function<void()> &prepare = {});

double median(std::vector<double> values);

// The process's peak resident memory so far in bytes (getrusage).
qint64 peakResidentBytes();

// Sets the kernel's record of the peak resident memory back to the present use, where the system
// allows it (Linux); returns false elsewhere.
bool resetPeakResident();
// The peak resident memory since the last reset, in bytes, or -1 where unknown.
qint64 peakResidentSinceReset();
// The resident memory now, in bytes, or -1 where unknown.
qint64 currentResidentBytes();
