#include "textscanner.h"

#include "search/pattern.h"

void checkPatterns(const ScanRecipe &settings)
{
    if (!settings.regex)
        return;
    for (const QString &pattern : {settings.suchstr, settings.weighting, settings.ausschlstr}) {
        if (!pattern.isEmpty())
            Pattern{pattern};
    }
}

TextScanner::TextScanner(const ScanRecipe &settings, const QStringList &paths, int jobs)
    : m_settings(settings), m_paths(paths),
      m_ahead(settings, paths, jobs > 0 ? jobs : defaultReadAheadThreads())
{
    if (settings.regex)
        m_regex.emplace(settings.suchstr, settings.ausschlstr, settings.encoding);
    else
        m_simple.emplace(settings.suchstr, settings.ausschlstr, settings.encoding);
}

std::optional<FileResult> TextScanner::scan(qsizetype i)
{
    const QString &path = m_paths[i];
    const PreparedText *ahead = m_ahead.take(int(i));
    if (m_regex)
        return m_regex->evaluate(
            path, [this] { return m_settings.weighting; }, ahead);
    if (m_simple->qualifies(path, m_settings.ignoreCase, ahead))
        return FileResult{};
    return std::nullopt;
}
