#include "clirun.h"
#include "interruption.h"
#include "text/nativepath.h"

#include <QCoreApplication>
#include <cstring>

int main(int argc, char **argv)
{
    installInterruptionHandlers();
    // Takes the user's locale (the decimal separator of the export) from the environment.
    QCoreApplication app(argc, argv);
    QStringList arguments;
    // Paths keep their bytes, also those that are not UTF-8.
    for (int i = 1; i < argc; ++i)
        arguments << pathFromNative(argv[i], qsizetype(std::strlen(argv[i])));
    return runCli(arguments);
}
