#include "textscanner.h"

#include "search/pattern.h"

void checkPatterns(const ScanSettings &settings)
{
    if (!settings.regex)
        return;
    for (const QString &pattern : {settings.suchstr, settings.weighting, settings.ausschlstr}) {
        if (!pattern.isEmpty())
            Pattern{pattern};
    }
}

TextScanner::TextScanner(const ScanSettings &settings, const QStringList &paths,
                         [[maybe_unused]] int jobs)
    : m_settings(settings), m_paths(paths)
{
    if (settings.regex)
        m_regex.emplace(settings.suchstr, settings.ausschlstr, settings.encoding);
    else
        m_simple.emplace(settings.suchstr, settings.ausschlstr, settings.encoding);
}

std::optional<FileResult> TextScanner::scan(qsizetype i)
{
    const QString &path = m_paths[i];
    if (m_regex)
        return m_regex->evaluate(path, [this] { return m_settings.weighting; });
    if (m_simple->qualifies(path, m_settings.ignoreCase))
        return FileResult{};
    return std::nullopt;
}
