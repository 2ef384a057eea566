#include "preview/markedpreview.h"

#include "preview/linemarker.h"
#include "search/pattern.h"
#include "search/qvxerror.h"

#include <QByteArray>
#include <string_view>

namespace {

void markMatches(const QString &pattern, const QByteArray &subject, Mark mark,
                 CharacterMarks &marks)
{
    const Pattern compiled(pattern);
    try {
        compiled.forEachMatch(
            std::string_view(subject.constData(), subject.size()),
            [&](qsizetype start, qsizetype length) { marks.mark(start, length, mark); });
    } catch (const MatchLimitError &) {
        throw QvxError(QStringLiteral("Der reguläre Ausdruck ist für diesen Text zu aufwendig: "
                                      "PCRE2 hat seine Grenze für Suchschritte erreicht."));
    }
}

} // namespace

MarkedPreview markPreview(const QString &text, const QString &searchPattern,
                          const QString &weightingPattern)
{
    MarkedPreview preview;
    preview.line = markLineBreaks(text);
    // The patterns also see the CR LF that ends the preview's text ("$", "\s" may match there);
    // marks on it show nothing, so only the line carries marks.
    QByteArray subject = preview.line.toUtf8();
    subject += "\r\n";
    CharacterMarks marks(preview.line.size());
    try {
        markMatches(searchPattern, subject, Mark::Search, marks);
        if (!weightingPattern.isEmpty())
            markMatches(weightingPattern, subject, Mark::Weighting, marks);
    } catch (const QvxError &error) {
        preview.pieces = marks.runs();
        preview.error = error.message();
        return preview;
    }
    preview.pieces = breakAtMarkers(preview.line, marks.runs());
    return preview;
}
