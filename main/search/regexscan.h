#pragma once

#include "search/fileresult.h"
#include "search/pattern.h"
#include "search/textloading.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

// The regular-expression mode of one search run. Each pattern is compiled when it is first used
// on a text, so an invalid one is reported at the same file and moment as if it were compiled
// anew for every file: the positive pattern after the first file is loaded, the weighting and
// exclusion patterns at the first file with a positive match, in that order.
class RegexScan
{
public:
    RegexScan(QString suchstr, QString ausschlstr);
    ~RegexScan();

    // Evaluates one source file. weightingText is called only for a file with a positive match
    // (the weighting field is read anew at that moment); the pattern is recompiled when the text
    // changed. Returns the numbers when the file qualifies. An empty text never qualifies.
    // Throws QvxError for an unreadable file, an invalid pattern or a pattern that exceeds PCRE2's
    // limits on this text.
    std::optional<FileResult> evaluate(const QString &path,
                                       const std::function<QString()> &weightingText);

private:
    const Pattern &positive();
    const Pattern &weighting(const QString &text);
    const Pattern &exclusion();

    QString m_suchstr;
    QString m_ausschlstr;
    std::unique_ptr<Pattern> m_positive;
    std::unique_ptr<Pattern> m_weighting;
    std::unique_ptr<Pattern> m_exclusion;
    TextLoader m_loader;
};

// A match count as the row's 32-bit f or fB. Throws QvxError naming the file when the count
// exceeds what a row can hold.
qint32 rowCount(qint64 count, const QString &path);
