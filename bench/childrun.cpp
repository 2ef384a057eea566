#include "childrun.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

ChildRun runChild(const QString &program, const QStringList &arguments, const QString &outputPath)
{
    ChildRun run;
    QTemporaryFile errors;
    if (!errors.open()) {
        run.standardError = QStringLiteral("no temporary file for standard error");
        return run;
    }
    std::vector<QByteArray> encoded{QFile::encodeName(program)};
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
    rusage usage{};
    while (::wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.seconds = double(timer.nsecsElapsed()) / 1e9;
    // Linux reports kilobytes.
    run.peakResident = qint64(usage.ru_maxrss) * 1024;
    if (WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    errors.seek(0);
    run.standardError = QString::fromLocal8Bit(errors.readAll()).trimmed();
    return run;
}
