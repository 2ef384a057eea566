#pragma once

#include "search/fileresult.h"
#include "search/readahead.h"
#include "search/regexscan.h"
#include "search/simplescan.h"
#include "text/sourceencoding.h"

#include <QString>
#include <QStringList>
#include <optional>

// Checks the patterns of a regular-expression run before any text is read, so that a bad one is
// reported at once, not at the first text that would use it. Throws QvxError with the window's
// message.
void checkPatterns(const ScanRecipe &settings);

// The search over the texts of one run, one file after the other in the order of paths.
class TextScanner
{
public:
    // jobs: the number of threads that read and search texts ahead of the scan, 0 for one per
    // core.
    TextScanner(const ScanRecipe &settings, const QStringList &paths, int jobs);

    // The numbers of text i when it qualifies; the simple mode gives -1 for every number. Texts
    // are taken in the order 0, 1, 2, ... Throws QvxError as the window's search would.
    std::optional<FileResult> scan(qsizetype i);

private:
    ScanRecipe m_settings;
    const QStringList &m_paths;
    std::optional<RegexScan> m_regex;
    std::optional<SimpleScan> m_simple;
    ReadAhead m_ahead;
};
