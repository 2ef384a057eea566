#include "clitool.h"
#include "fixtures.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

// Whether the process has its own handler for the signal installed (Linux's /proc).
bool catches(qint64 pid, int signal)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    }
    return false;
}

} // namespace

TEST(CliSignals, AClosedStandardOutputEndsTheProgramQuietly)
{
    TempCorpus corpus;
    for (int i = 0; i < 50; ++i)
        corpus.write(QStringLiteral("t%1.txt").arg(i), "Heute");
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    // The reader is gone before the program writes its first row.
    close(pipeEnds[0]);
    const QString errPath = corpus.filePath("stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO,
                                     QFile::encodeName(errPath).constData(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const QByteArray program = QVX_CLI_PATH;
    const QByteArray dir = QFile::encodeName(corpus.path());
    char *argv[] = {const_cast<char *>(program.constData()), const_cast<char *>("Heute"),
                    const_cast<char *>(dir.constData()), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, program.constData(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 141);
    EXPECT_EQ(fileBytes(errPath), QByteArray());
}

// SIGTERM, as a service manager or kill sends it, stops the run the same way.
TEST(CliSignals, CtrlCStopsTheRunAndLeavesNoFileBehind)
{
    TempCorpus corpus;
    const QString text = corpus.write("a.txt", "Heute");
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        QTemporaryDir outDir;
        QProcess process;
        process.start(QStringLiteral(QVX_CLI_PATH), {"-o", outDir.filePath("rows.tsv"), "--copy-to",
                                                     outDir.filePath("ziel"), "Heute", "@-"});
        ASSERT_TRUE(process.waitForStarted());
        // The signal arrives while the list is still being read, once the program takes it
        // itself.
        QElapsedTimer waited;
        waited.start();
        while (!catches(process.processId(), signal) && waited.elapsed() < 10000)
            QThread::msleep(1);
        ASSERT_TRUE(catches(process.processId(), signal));
        ::kill(pid_t(process.processId()), signal);
        process.write((text + "\n").toUtf8());
        process.closeWriteChannel();
        ASSERT_TRUE(process.waitForFinished(-1));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 130);
        EXPECT_EQ(entriesOf(outDir.path()), QStringList());
        EXPECT_EQ(process.readAllStandardOutput(), QByteArray());
    }
}
