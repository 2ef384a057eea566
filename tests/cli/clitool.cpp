#include "clitool.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

CliResult run(const QStringList &arguments, const QByteArray &stdinData, const QString &locale,
              const QString &directory)
{
    QProcess process;
    process.setWorkingDirectory(directory);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), locale);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QVX_CLI_PATH), arguments);
    process.write(stdinData);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    CliResult result;
    if (process.exitStatus() == QProcess::NormalExit)
        result.status = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

} // namespace

CliResult runTool(const QStringList &arguments, const QByteArray &stdinData, const QString &locale)
{
    return run(arguments, stdinData, locale, {});
}

CliResult runToolIn(const QString &directory, const QStringList &arguments)
{
    return run(arguments, {}, QStringLiteral("de_DE.UTF-8"), directory);
}

CliResult runToolWithBytes(const QList<QByteArray> &arguments)
{
    QTemporaryDir outputs;
    const QByteArray out = QFile::encodeName(outputs.filePath("out"));
    const QByteArray err = QFile::encodeName(outputs.filePath("err"));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.constData(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.constData(), O_WRONLY | O_CREAT, 0600);
    QList<QByteArray> strings{QByteArrayLiteral(QVX_CLI_PATH)};
    strings += arguments;
    std::vector<char *> argv;
    for (QByteArray &string : strings)
        argv.push_back(string.data());
    argv.push_back(nullptr);
    std::vector<QByteArray> environment{"LC_ALL=de_DE.UTF-8"};
    for (char **entry = environ; *entry; ++entry) {
        if (!QByteArray(*entry).startsWith("LC_ALL="))
            environment.emplace_back(*entry);
    }
    std::vector<char *> envp;
    for (QByteArray &entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    CliResult result;
    pid_t pid = 0;
    int status = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0 &&
        waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    posix_spawn_file_actions_destroy(&actions);
    QFile outFile(outputs.filePath("out"));
    QFile errFile(outputs.filePath("err"));
    if (outFile.open(QIODevice::ReadOnly))
        result.out = outFile.readAll();
    if (errFile.open(QIODevice::ReadOnly))
        result.err = errFile.readAll();
    return result;
}

QStringList entriesOf(const QString &directory)
{
    return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                     QDir::Name);
}
