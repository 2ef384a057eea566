#include "ripgrep.h"

#include "childrun.h"

#include <QStandardPaths>
#include <QTemporaryFile>

bool ripgrepInstalled()
{
    return !QStandardPaths::findExecutable(QStringLiteral("rg")).isEmpty();
}

RipgrepRun runRipgrep(const RipgrepQuery &query, const QString &directory, int threads)
{
    QStringList arguments = {QStringLiteral("--no-ignore"), QStringLiteral("--hidden"),
                             QStringLiteral("-E"), QStringLiteral("latin1")};
    if (threads > 0)
        arguments << QStringLiteral("-j%1").arg(threads);
    if (query.simpleSubstring)
        arguments << QStringLiteral("--files-with-matches") << QStringLiteral("-F");
    else
        arguments << QStringLiteral("--count-matches");
    if (query.ignoreCase)
        arguments << QStringLiteral("-i");
    arguments << QStringLiteral("-e") << query.pattern << directory;

    RipgrepRun run;
    // The counts go to a file: read through the pipe, a hundred thousand lines would be gathered
    // piece by piece in the heap that the next search run is measured in.
    QTemporaryFile counts;
    if (!counts.open()) {
        run.error = QStringLiteral("no temporary file for ripgrep's counts");
        return run;
    }
    const ChildRun child = runChild(QStringLiteral("rg"), arguments, counts.fileName());
    run.seconds = child.seconds;
    run.peakResident = child.peakResident;
    // Exit code 1 only says that nothing matched.
    if (child.exitCode < 0 || child.exitCode > 1) {
        run.error = child.standardError;
        return run;
    }
    counts.seek(0);
    const QByteArray output = counts.readAll();
    run.matches = query.simpleSubstring ? countLines(output) : sumOfCounts(output);
    return run;
}

qint64 sumOverLines(QByteArrayView output, qint64 (*number)(QByteArrayView line))
{
    qint64 sum = 0;
    qsizetype start = 0;
    while (start < output.size()) {
        qsizetype end = output.indexOf('\n', start);
        if (end < 0)
            end = output.size();
        sum += number(output.sliced(start, end - start));
        start = end + 1;
    }
    return sum;
}

qint64 sumOfCounts(QByteArrayView output)
{
    return sumOverLines(output, [](QByteArrayView line) {
        const qsizetype colon = line.lastIndexOf(':');
        return colon >= 0 ? line.sliced(colon + 1).toLongLong() : 0;
    });
}

qint64 countLines(QByteArrayView output)
{
    const qint64 breaks = output.count('\n');
    return output.isEmpty() || output.endsWith('\n') ? breaks : breaks + 1;
}
