#include "clitool.h"

#include <QDir>
#include <QProcess>

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

QStringList entriesOf(const QString &directory)
{
    return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                     QDir::Name);
}
