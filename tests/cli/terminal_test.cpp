#include "fixtures.h"

#include <QByteArray>
#include <cstdlib>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs qvx-cli with standard output and standard error on one pseudo-terminal, as in a shell
// window, and returns all it wrote there.
QByteArray runOnTerminal(const QList<QByteArray> &arguments)
{
    int master = -1;
    const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
    if (pid == 0) {
        std::vector<char *> argv{const_cast<char *>(QVX_CLI_PATH)};
        for (const QByteArray &argument : arguments)
            argv.push_back(const_cast<char *>(argument.constData()));
        argv.push_back(nullptr);
        ::setenv("LC_ALL", "de_DE.UTF-8", 1);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    QByteArray written;
    char chunk[4096];
    ssize_t count;
    // The terminal reports an error once the program has closed its side.
    while ((count = ::read(master, chunk, sizeof chunk)) > 0)
        written.append(chunk, count);
    ::close(master);
    ::waitpid(pid, nullptr, 0);
    return written;
}

} // namespace

TEST(CliTerminal, RowsComeOutAtOnceOnTheirOwnLinesBesideTheProgressLine)
{
    TempCorpus corpus;
    QList<QByteArray> arguments{"b"};
    QList<QByteArray> rows;
    for (const char *name : {"eins.txt", "zwei.txt", "drei.txt"}) {
        arguments << corpus.write(name, "abc").toUtf8();
        rows << arguments.back() + "\t1\t20\t-1\t-1\r\n";
    }
    const QByteArray written = runOnTerminal(arguments);
    // Block-buffered rows would all follow the last progress line.
    EXPECT_LT(written.indexOf(rows[0]), written.lastIndexOf("3 von 3 Dateien")) << written.data();
    for (const QByteArray &row : rows) {
        const qsizetype at = written.indexOf(row);
        ASSERT_GE(at, 0) << written.data();
        const QByteArray before = written.left(at);
        EXPECT_TRUE(before.isEmpty() || before.endsWith('\n') || before.endsWith("\r\033[K"))
            << written.data();
    }
}
