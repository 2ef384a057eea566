#pragma once

#include "search/fileresult.h"
#include "search/regexscan.h"
#include "search/simplescan.h"
#include "search/sourceencoding.h"

#include <QString>
#include <QStringList>
#include <optional>

// What every text of one run is searched with, as the window's fields hold it for the whole run.
struct ScanSettings
{
    bool regex = true;
    QString suchstr;
    QString ausschlstr;
    QString weighting;
    bool ignoreCase = false;
    SourceEncoding encoding = SourceEncoding::Windows1252;
};

// Checks the patterns of a regular-expression run before any text is read, so that a bad one is
// reported at once, not at the first text that would use it. Throws QvxError with the window's
// message.
void checkPatterns(const ScanSettings &settings);

// The search over the texts of one run, one file after the other in the order of paths.
class TextScanner
{
public:
    // jobs: the number of threads that may read and prepare texts ahead of the scan.
    TextScanner(const ScanSettings &settings, const QStringList &paths, int jobs);

    // The numbers of text i when it qualifies; the simple mode gives -1 for every number. Texts
    // are taken in the order 0, 1, 2, ... Throws QvxError as the window's search would.
    std::optional<FileResult> scan(qsizetype i);

private:
    ScanSettings m_settings;
    const QStringList &m_paths;
    std::optional<RegexScan> m_regex;
    std::optional<SimpleScan> m_simple;
};
