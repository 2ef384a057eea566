#include "childrun.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

const char kGnuTime[] = "/usr/bin/time";

// The last line of GNU time's report (a line before it may say how the program ended), or -1.
qint64 reportedKilobytes(const QByteArray &report)
{
    const QList<QByteArray> lines = report.trimmed().split('\n');
    bool ok = false;
    const qint64 kilobytes = lines.back().trimmed().toLongLong(&ok);
    return ok ? kilobytes : -1;
}

} // namespace

ChildRun runChild(const QString &program, const QStringList &arguments, const QString &outputPath)
{
    ChildRun run;
    QTemporaryFile errors;
    if (!errors.open()) {
        run.standardError = QStringLiteral("no temporary file for standard error");
        return run;
    }
    // The peak memory that wait4 reports for a child of a large process starts at the parent's:
    // the process that the program replaces had its pages. GNU time, small itself, forks the
    // program and reports the program's own.
    QTemporaryFile peak;
    const bool timed = QFileInfo(QString::fromLatin1(kGnuTime)).isExecutable() && peak.open();
    std::vector<QByteArray> encoded;
    if (timed)
        encoded = {kGnuTime, "-f", "%M", "-o", QFile::encodeName(peak.fileName())};
    encoded.push_back(QFile::encodeName(program));
    for (const QString &argument : arguments)
        encoded.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &each : encoded)
        argv.push_back(each.data());
    argv.push_back(nullptr);

    const QByteArray output = QFile::encodeName(outputPath);
    const QByteArray errorPath = QFile::encodeName(errors.fileName());
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.constData(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errorPath.constData(), O_WRONLY | O_TRUNC, 0);
    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    const int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        run.standardError = QString::fromLocal8Bit(std::strerror(failed));
        return run;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    run.seconds = double(timer.nsecsElapsed()) / 1e9;
    if (timed)
        run.peakResident = reportedKilobytes(peak.readAll()) * 1024;
    if (WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    errors.seek(0);
    run.standardError = QString::fromLocal8Bit(errors.readAll()).trimmed();
    return run;
}
