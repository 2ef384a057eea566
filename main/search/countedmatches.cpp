#include "search/countedmatches.h"

#include "files/textloading.h"
#include "search/matchbudget.h"
#include "search/pattern.h"
#include "search/regexscan.h"

CountedMatches countedMatches(const QString &path, const QString &pattern, SourceEncoding encoding)
{
    const Pattern positive(pattern);
    TextLoader loader(encoding);
    const TextLoader::Utf8Text loaded = loader.loadUtf8(path);
    CountedMatches counted;
    counted.text = QString::fromUtf8(loaded.utf8.data(), qsizetype(loaded.utf8.size()));
    MatchBudget budget(loaded.utf8.size());
    try {
        positive.forEachMatch(loaded.utf8, budget, [&](qsizetype start, qsizetype length) {
            counted.matches.push_back({start, length});
        });
    } catch (const MatchLimitError &error) {
        throw tooCostlyForText(path, error);
    }
    return counted;
}
