#include "measure.h"

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <sys/resource.h>

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

double medianSeconds(int repetitions, const std::function<void()> &body,
                     const std::function<void()> &prepare)
{
    std::vector<double> seconds;
    for (int i = 0; i < repetitions; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        body();
        seconds.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    return median(seconds);
}

qint64 peakResidentBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    // Linux reports kilobytes.
    return qint64(usage.ru_maxrss) * 1024;
}

bool resetPeakResident()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
}

namespace {

// A "Name:   1234 kB" line of the kernel's status file, in bytes, or -1.
qint64 statusBytes(const QByteArray &name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(name))
            return line.mid(name.size()).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}

} // namespace

qint64 peakResidentSinceReset()
{
    return statusBytes("VmHWM:");
}

qint64 currentResidentBytes()
{
    return statusBytes("VmRSS:");
}
