#include "preview/markedpreview.h"

#include "errors/qvxerror.h"
#include "preview/linemarker.h"
#include "search/pattern.h"

#include <string>
#include <utility>

namespace {

void markMatches(const QString &pattern, const std::string &subject, Mark mark,
                 CharacterMarks &marks)
{
    const Pattern compiled(pattern);
    try {
        compiled.forEachMatch(
            subject, [&](qsizetype start, qsizetype length) { marks.mark(start, length, mark); });
    } catch (const MatchLimitError &) {
        throw QvxError(QStringLiteral("Der reguläre Ausdruck ist für diesen Text zu aufwendig: "
                                      "PCRE2 hat seine Grenze für Suchschritte erreicht."));
    }
}

} // namespace

MarkedPreview markPreview(PreviewLine text, const QString &searchPattern,
                          const QString &weightingPattern)
{
    MarkedPreview preview;
    preview.text = std::move(text.line);
    // The patterns also see the CR LF that ends the preview's text ("$", "\s" may match there);
    // marks on it show nothing, so only the line carries marks.
    const std::string subject = std::move(text.subject);
    CharacterMarks marks(preview.text.size());
    try {
        markMatches(searchPattern, subject, Mark::Search, marks);
        if (!weightingPattern.isEmpty())
            markMatches(weightingPattern, subject, Mark::Weighting, marks);
    } catch (const QvxError &error) {
        preview.pieces = marks.runs();
        preview.error = error.message();
        return preview;
    }
    preview.pieces = marks.runs();
    breakAtMarkers(preview.text, preview.pieces);
    return preview;
}
