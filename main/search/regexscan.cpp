#include "search/regexscan.h"

#include "errors/qvxerror.h"
#include "search/matchbudget.h"
#include "search/preparedtext.h"

#include <limits>
#include <utility>

RegexScan::RegexScan(QString suchstr, QString ausschlstr, SourceEncoding encoding)
    : m_suchstr(std::move(suchstr)), m_ausschlstr(std::move(ausschlstr)), m_loader(encoding)
{
}

RegexScan::~RegexScan() = default;

const Pattern &RegexScan::positive()
{
    if (!m_positive)
        m_positive = std::make_unique<Pattern>(m_suchstr);
    return *m_positive;
}

const Pattern &RegexScan::weighting(const QString &text)
{
    // The field may be edited while the run lets the event loop work, so the text decides.
    if (!m_weighting || m_weighting->source() != text)
        m_weighting = std::make_unique<Pattern>(text);
    return *m_weighting;
}

const Pattern &RegexScan::exclusion()
{
    if (!m_exclusion)
        m_exclusion = std::make_unique<Pattern>(m_ausschlstr);
    return *m_exclusion;
}

std::optional<FileResult> RegexScan::evaluate(const QString &path,
                                              const std::function<QString()> &weightingText,
                                              const PreparedText *ahead)
{
    if (ahead && ahead->holdsFor(path)) {
        if (!ahead->weightingRead || weightingText() == ahead->weighting)
            return takeAhead(*ahead);
    }
    const TextLoader::Utf8Text text = m_loader.loadUtf8(path);
    return evaluateText(text.utf8, text.length, path, weightingText);
}

bool RegexScan::aheadStands(const QString &path, const QString &weightingText,
                            const PreparedText *ahead)
{
    return ahead && ahead->holdsFor(path) &&
           (!ahead->weightingRead || weightingText == ahead->weighting);
}

std::optional<FileResult> RegexScan::takeAhead(const PreparedText &ahead)
{
    if (ahead.failed)
        throw QvxError(ahead.failure);
    return ahead.result;
}

std::optional<FileResult> RegexScan::evaluateText(std::string_view utf8, qsizetype length,
                                                  const QString &path,
                                                  const std::function<QString()> &weightingText)
{
    // All patterns on this text draw on one budget.
    MatchBudget budget(utf8.size(), m_cancelled);
    try {
        const qint32 f = rowCount(positive().countMatches(utf8, budget), path);
        if (f == 0)
            return std::nullopt;
        // An empty text has no percentage (it would divide by zero), so it qualifies in
        // neither mode, even when the pattern matches the empty string.
        if (length == 0)
            return std::nullopt;

        qint32 fB = -1;
        const QString w = weightingText();
        if (!w.isEmpty())
            fB = rowCount(weighting(w).countMatches(utf8, budget), path);

        if (!m_ausschlstr.isEmpty() && exclusion().matchesAnywhere(utf8, budget))
            return std::nullopt;

        const double proz = double(f) / double(length) * 100.0;
        return FileResult{f, proz, fB};
    } catch (const MatchLimitError &error) {
        throw tooCostlyForText(path, error);
    }
}

QvxError tooCostlyForText(const QString &path, const MatchLimitError &error)
{
    return QvxError(QString("Der reguläre Ausdruck ist für den Text der Datei %1 zu aufwendig: "
                            "%2. Die Suche wurde abgebrochen.")
                        .arg(path, error.reason()));
}

qint32 rowCount(qint64 count, const QString &path)
{
    if (count > std::numeric_limits<qint32>::max())
        throw QvxError(QString("Der reguläre Ausdruck findet im Text der Datei %1 %2 Treffer; die "
                               "Ergebnisliste kann höchstens %3 Treffer je Text zählen. Die Suche "
                               "wurde abgebrochen.")
                           .arg(path)
                           .arg(count)
                           .arg(std::numeric_limits<qint32>::max()));
    return static_cast<qint32>(count);
}
