#pragma once

#include "files/textloading.h"
#include "search/fileresult.h"
#include "search/regexscan.h"
#include "search/scanrecipe.h"
#include "search/simplescan.h"

#include <QString>
#include <atomic>
#include <functional>
#include <optional>

struct PreparedText;

// What the run reads anew at a text's turn from fields the user may change while it runs.
struct TurnReading
{
    // Read only for a text with a positive match of the regular-expression mode.
    std::function<QString()> weighting;
    // Read for every text of the simple mode.
    std::function<bool()> ignoreCase;
};

// The search of the texts of one run as its recipe has it: the mode, taken once here, with the
// recipe's strings and encoding, both for the run's turns and for the work done ahead of them.
// The simple mode's result carries -1 for every number.
class TextScan
{
public:
    explicit TextScan(const ScanRecipe &recipe);
    TextScan(const TextScan &) = delete;
    TextScan &operator=(const TextScan &) = delete;

    const ScanRecipe &recipe() const { return m_recipe; }

    // Compiles the patterns of the regular-expression mode, so that a bad one can be reported
    // before any text is read. Throws QvxError with the message of its first use.
    void checkPatterns() const;

    // Text path at its turn, with the recipe's weighting text and case rule. ahead, when given,
    // stands for the work while it still holds (see RegexScan::evaluate, SimpleScan::qualifies).
    // Throws QvxError as the window's search would.
    std::optional<FileResult> atTurn(const QString &path, const PreparedText *ahead);
    // The same with the weighting text and the case rule as reading gives them at this turn.
    std::optional<FileResult> atTurn(const QString &path, const TurnReading &reading,
                                     const PreparedText *ahead);

    // Works out text path ahead of its turn with loader, which reads in the recipe's encoding,
    // and records in out what the work took for granted. Throws as a turn would, and whatever
    // loader throws.
    void prepare(TextLoader &loader, const QString &path, PreparedText &out);

    // Searches of the regular-expression mode end soon, with MatchLimitError, once cancelled is
    // set.
    void setCancellation(const std::atomic<bool> *cancelled);

private:
    const ScanRecipe m_recipe;
    const std::function<QString()> m_recipeWeighting;
    // Exactly one of the two is set, after the recipe's mode.
    std::optional<RegexScan> m_regex;
    std::optional<SimpleScan> m_simple;
};
