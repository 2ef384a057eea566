#include "subcorpus/antconctemplates.h"

#include "errors/qvxerror.h"
#include "text/codepage.h"

#include <QFile>

namespace {

struct Version
{
    const char *templateName;
    const char *fileName;
};

const Version versions[antconcVersionCount] = {
    {"str341w", "Subkorpus-for-antconc341w.ant"},
    {"str324w", "Subkorpus-for-antconc324w.ant"},
    {"str324m", "Subkorpus-for-antconc324m.ant"},
};

const Version &version(int index)
{
    Q_ASSERT(isAntconcVersion(index));
    return versions[index];
}

} // namespace

QStringList antconcTemplate(int index)
{
    const QString path =
        QStringLiteral(":/antconc/%1.txt").arg(QLatin1String(version(index).templateName));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw QvxError(QStringLiteral("Die Vorlage %1 fehlt im Programm.").arg(path));
    // The stored bytes are the bytes that the settings file gets, one LF after every line.
    QStringList lines = cp1252::decode(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString antconcFileName(int index)
{
    return QLatin1String(version(index).fileName);
}
