#include "protocolrepeat.h"

#include "clirun.h"
#include "protocolrun.h"
#include "subcorpus/protocolcomparison.h"
#include "subcorpus/protocolfile.h"
#include "text/nativepath.h"

#include <cstdio>
#include <unistd.h>

int repeatProtocol(const CliOptions &options)
{
    const SubcorpusProtocol protocol = readProtocolFile(options.repeatFile);
    CliOptions again = optionsOfProtocol(protocol);
    again.quiet = options.quiet;
    again.jobs = options.jobs;
    // A list of sources may name texts relative to where the first run was started.
    if (!protocol.directory.isEmpty())
        ::chdir(nativePath(protocol.directory).constData());
    QList<ProtocolText> found;
    const int status = runSearch(again, [&found](const ResultRow &row) {
        found << ProtocolText{absolutePath(row.path), row.f, row.proz, row.fB, row.G};
    });
    if (status != ExitStatus::Found && status != ExitStatus::NoneFound)
        return status;
    const ProtocolComparison comparison = compareWithProtocol(protocol.texts, found);
    for (const QString &line : comparisonReport(comparison, protocol.texts.size()))
        std::printf("%s\n", line.toUtf8().constData());
    // As grep's: 0 for the same result, 1 for another.
    return comparison.same() ? ExitStatus::Found : ExitStatus::NoneFound;
}
