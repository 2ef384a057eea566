#include "clirun.h"
#include "interruption.h"
#include "progressline.h"
#include "text/nativepath.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    // A closed standard output (">&-") would be taken by the next file opened, and the rows
    // written into it; held read-only, it refuses them, and OutputSink says why.
    if (::fcntl(STDOUT_FILENO, F_GETFD) == -1)
        ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    // Unbuffered, each note would be a system call of its own: a run over a million names of
    // files named twice writes as many notes. A terminal still gets every line at once.
    static char noteBuffer[64 * 1024];
    if (!standardErrorIsTerminal())
        std::setvbuf(stderr, noteBuffer, _IOFBF, sizeof noteBuffer);
    installInterruptionHandlers();
    // Takes the user's locale (the decimal separator of the export) from the environment.
    QCoreApplication app(argc, argv);
    QStringList arguments;
    // Paths keep their bytes, also those that are not UTF-8.
    for (int i = 1; i < argc; ++i)
        arguments << pathFromNative(argv[i], qsizetype(std::strlen(argv[i])));
    const int status = runCli(arguments);
    // After Ctrl-C the outputs are complete or removed; threads that still end a cancelled
    // search step are not waited for.
    if (status == ExitStatus::Interrupted) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
