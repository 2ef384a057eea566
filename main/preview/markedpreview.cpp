#include "preview/markedpreview.h"

#include "errors/qvxerror.h"
#include "preview/linemarker.h"
#include "search/matchbudget.h"
#include "search/pattern.h"

#include <string>
#include <utility>

namespace {

void markMatches(const QString &pattern, const std::string &subject, MatchBudget &budget, Mark mark,
                 CharacterMarks &marks)
{
    const Pattern compiled(pattern);
    try {
        compiled.forEachMatch(subject, budget, [&](qsizetype start, qsizetype length) {
            marks.mark(start, length, mark);
        });
    } catch (const MatchLimitError &error) {
        throw QvxError(QString("Der reguläre Ausdruck ist für diesen Text zu aufwendig: %1.")
                           .arg(error.reason()));
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
    // Both patterns draw on one budget, as in the search.
    MatchBudget budget(subject.size());
    try {
        markMatches(searchPattern, subject, budget, Mark::Search, marks);
        if (!weightingPattern.isEmpty())
            markMatches(weightingPattern, subject, budget, Mark::Weighting, marks);
    } catch (const QvxError &error) {
        preview.pieces = marks.runs();
        preview.error = Failure{error.message()};
        return preview;
    }
    preview.pieces = marks.runs();
    breakAtMarkers(preview.text, preview.pieces);
    return preview;
}
