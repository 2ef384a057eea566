#include "qvxcli.h"

#include "childrun.h"
#include "ripgrep.h"

#include <QFileInfo>
#include <QTemporaryFile>

QString defaultQvxCliPath(const QString &benchDirectory)
{
    const QString path = benchDirectory + QStringLiteral("/../cli/qvx-cli");
    return QFileInfo(path).isExecutable() ? QFileInfo(path).canonicalFilePath() : QString();
}

qint64 sumOfTsvF(QByteArrayView output)
{
    return sumOverLines(output, [](QByteArrayView line) {
        const qsizetype first = line.indexOf('\t');
        if (first < 0)
            return qint64(0);
        const qsizetype second = line.indexOf('\t', first + 1);
        return line.sliced(first + 1, (second < 0 ? line.size() : second) - first - 1).toLongLong();
    });
}

QvxCliRun runQvxCli(const QString &program, const QStringList &arguments)
{
    QvxCliRun run;
    QTemporaryFile rows;
    if (!rows.open()) {
        run.error = QStringLiteral("no temporary file for the rows");
        return run;
    }
    const ChildRun child = runChild(
        program, QStringList{QStringLiteral("--format"), QStringLiteral("tsv")} + arguments,
        rows.fileName());
    run.seconds = child.seconds;
    run.peakResident = child.peakResident;
    if (child.exitCode < 0 || child.exitCode > 1) {
        run.error = child.standardError;
        if (run.error.isEmpty())
            run.error = QStringLiteral("exit status %1").arg(child.exitCode);
        return run;
    }
    rows.seek(0);
    run.matches = sumOfTsvF(rows.readAll());
    return run;
}
