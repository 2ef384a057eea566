#include "search/regexscan.h"

#include "errors/qvxerror.h"

#include <utility>

RegexScan::RegexScan(QString suchstr, QString ausschlstr)
    : m_suchstr(std::move(suchstr)), m_ausschlstr(std::move(ausschlstr))
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
                                              const std::function<QString()> &weightingText)
{
    const TextLoader::Utf8Text text = m_loader.loadUtf8(path);
    const qsizetype length = text.length;
    try {
        const qint32 f = positive().countMatches(text.utf8);
        if (f == 0)
            return std::nullopt;
        // An empty text has no percentage (it would divide by zero), so it qualifies in
        // neither mode, even when the pattern matches the empty string.
        if (length == 0)
            return std::nullopt;

        qint32 fB = -1;
        const QString w = weightingText();
        if (!w.isEmpty())
            fB = weighting(w).countMatches(text.utf8);

        if (!m_ausschlstr.isEmpty() && exclusion().matchesAnywhere(text.utf8))
            return std::nullopt;

        const double proz = double(f) / double(length) * 100.0;
        return FileResult{f, proz, fB};
    } catch (const MatchLimitError &) {
        throw QvxError(QString("Der reguläre Ausdruck ist für den Text der Datei %1 zu aufwendig: "
                               "PCRE2 hat seine Grenze für Suchschritte erreicht. Die Suche wurde "
                               "abgebrochen.")
                           .arg(path));
    }
}
