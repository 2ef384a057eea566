#include "ripgrep.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

bool ripgrepInstalled()
{
    return !QStandardPaths::findExecutable(QStringLiteral("rg")).isEmpty();
}

RipgrepRun runRipgrep(const QString &pattern, const QString &directory, bool pcre2)
{
    QStringList arguments = {QStringLiteral("-j1"),         QStringLiteral("--count-matches"),
                             QStringLiteral("--no-ignore"), QStringLiteral("--hidden"),
                             QStringLiteral("-E"),          QStringLiteral("latin1")};
    if (pcre2)
        arguments << QStringLiteral("--pcre2");
    arguments << pattern << directory;

    RipgrepRun run;
    QProcess rg;
    QElapsedTimer timer;
    timer.start();
    rg.start(QStringLiteral("rg"), arguments);
    rg.waitForFinished(-1);
    run.seconds = double(timer.nsecsElapsed()) / 1e9;
    // Exit code 1 only says that nothing matched.
    if (rg.exitStatus() != QProcess::NormalExit || rg.exitCode() > 1) {
        run.error = QString::fromLocal8Bit(rg.readAllStandardError()).trimmed();
        return run;
    }
    run.matches = sumOfCounts(rg.readAllStandardOutput());
    return run;
}

qint64 sumOfCounts(const QByteArray &output)
{
    qint64 sum = 0;
    for (const QByteArray &line : output.split('\n')) {
        const qsizetype colon = line.lastIndexOf(':');
        if (colon >= 0)
            sum += line.mid(colon + 1).toLongLong();
    }
    return sum;
}
