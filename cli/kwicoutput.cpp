#include "kwicoutput.h"

#include "errors/qvxerror.h"
#include "kwicline.h"
#include "search/countedmatches.h"
#include "text/nativepath.h"

void writeHitsInContext(OutputSink &sink, const ResultRow &row, const CliOptions &options)
{
    const CountedMatches counted = countedMatches(row.path, options.pattern, options.encoding);
    if (qint64(counted.matches.size()) != row.f)
        throw QvxError(QStringLiteral("Der Text %1 hat sich nach der Suche geändert: statt %2 "
                                      "Treffern hat er nun %3; bitte die Suche wiederholen")
                           .arg(shownPath(row.path))
                           .arg(row.f)
                           .arg(counted.matches.size()));
    for (const MatchSpan &match : counted.matches) {
        appendHitLine(sink.buffer(), options.format, row.path,
                      hitInContext(counted.text, match, options.kwicWidth));
        sink.written();
    }
}
