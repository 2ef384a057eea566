#include "subcorpus/antconcsettings.h"

#include "results/substitutedpaths.h"
#include "subcorpus/antconctemplates.h"

QStringList antconcSettingsLines(int version, const QStringList &paths)
{
    QStringList lines = antconcTemplate(version);
    lines.reserve(lines.size() + 1 + paths.size());
    lines << QString();
    // AntConc reads the rest of the line as the path, so blanks stay unquoted.
    for (const QString &path : paths)
        lines << QStringLiteral("FILE ") + pathInLine(path);
    return lines;
}
