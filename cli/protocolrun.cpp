#include "protocolrun.h"

#include "errors/qvxerror.h"
#include "optiontable.h"
#include "text/nativepath.h"

#include <QDir>

#ifndef QVX_VERSION
#error "QVX_VERSION must name the project's version"
#endif

namespace {

// The values of a choice as the command line spells them, which the record uses too.
const QStringList &choicesOf(const char *longName)
{
    for (const OptionEntry &entry : optionTable()) {
        if (qstrcmp(entry.longName, longName) == 0)
            return entry.choices;
    }
    Q_UNREACHABLE();
}

int choiceIndex(const char *longName, const QString &value)
{
    const int index = int(choicesOf(longName).indexOf(value));
    if (index < 0)
        throw QvxError(QStringLiteral("Das Protokoll nennt für %1 „%2“, das qvx-cli nicht kennt")
                           .arg(QLatin1String(longName), value));
    return index;
}

// A list file keeps its '@'; standard input cannot be named and is refused with --protocol.
QString fullSource(const QString &source)
{
    if (source.startsWith(QLatin1Char('@')))
        return QLatin1Char('@') + absolutePath(source.mid(1));
    return absolutePath(source);
}

} // namespace

SubcorpusProtocol protocolOfRun(const CliOptions &options, const QStringList &arguments,
                                const QList<ResultRow> &copied)
{
    SubcorpusProtocol p;
    p.program = QStringLiteral("qvx-cli");
    p.version = QStringLiteral(QVX_VERSION);
    p.date = QDateTime::currentDateTime();
    p.command = QStringList{p.program} + arguments;
    p.directory = absolutePath(QStringLiteral("."));
    p.regex = !options.simple;
    p.pattern = options.pattern;
    p.exclude = options.exclude;
    p.weight = options.weight;
    p.fK = options.fK;
    p.fBK = options.fBK;
    p.ignoreCase = options.ignoreCase;
    p.minF = options.minF;
    p.minPercent = options.minPercent;
    p.minFB = options.minFB;
    if (options.sortColumn >= 0)
        p.sort = choicesOf("--sort")[options.sortColumn];
    p.ascending = options.ascending;
    for (const QString &source : options.sources)
        p.sources << fullSource(source);
    p.recursive = options.recursive;
    p.globs = options.globs;
    p.encoding = choicesOf("--encoding")[int(options.encoding)];
    for (const ResultRow &row : copied)
        p.texts << ProtocolText{absolutePath(row.path), row.f, row.proz, row.fB, row.G};
    return p;
}

CliOptions optionsOfProtocol(const SubcorpusProtocol &protocol)
{
    CliOptions options;
    options.pattern = protocol.pattern;
    options.sources = protocol.sources;
    options.exclude = protocol.exclude;
    options.weight = protocol.weight;
    options.fK = protocol.fK.value_or(1.0);
    options.fBK = protocol.fBK.value_or(1.0);
    options.simple = !protocol.regex;
    options.ignoreCase = protocol.ignoreCase;
    options.minF = protocol.minF;
    options.minPercent = protocol.minPercent;
    options.minFB = protocol.minFB;
    if (!protocol.sort.isEmpty())
        options.sortColumn = choiceIndex("--sort", protocol.sort);
    options.ascending = protocol.ascending;
    options.recursive = protocol.recursive;
    options.globs = protocol.globs;
    if (!protocol.encoding.isEmpty())
        options.encoding = SourceEncoding(choiceIndex("--encoding", protocol.encoding));
    return options;
}
