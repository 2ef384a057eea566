#pragma once

#include "files/textloading.h"
#include "search/fileresult.h"
#include "search/regexscan.h"
#include "search/scanrecipe.h"
#include "search/simplescan.h"

#include <QString>
#include <atomic>
#include <optional>

struct PreparedText;

// What the run reads anew at a text's turn from fields the user may change while it runs.
struct TurnValues
{
    // Used only for a text with a positive match of the regular-expression mode.
    QString weighting;
    // Used for every text of the simple mode.
    bool ignoreCase = false;
    // The encoding of the text's source entry, where the run reads the list at each turn;
    // otherwise the recipe's for the text's place.
    std::optional<SourceEncoding> encoding = std::nullopt;
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
    // The same with the weighting text and the case rule as the fields read at this turn.
    std::optional<FileResult> atTurn(const QString &path, const TurnValues &values,
                                     const PreparedText *ahead);

    // Whether the outcome worked out ahead stands for text path at this turn: the file is in the
    // state that was read, and what the work took for the fields is what they read now.
    bool aheadStands(const QString &path, const TurnValues &values,
                     const PreparedText *ahead) const;
    // The outcome worked out ahead, taken for this turn after aheadStands said that it stands.
    // Throws the QvxError that the work met.
    std::optional<FileResult> takeAhead(const PreparedText &ahead, const TurnValues &values);

    // Works out text path ahead of its turn with loader, which reads in the text's encoding,
    // and records in out what the work took for granted, and the file's state. What the search
    // of a loaded text meets is recorded as well; whatever loader throws is thrown.
    void prepare(TextLoader &loader, const QString &path, PreparedText &out);

    // The texts from now on are read in encoding.
    void setEncoding(SourceEncoding encoding);
    // Whether the text of the last turn, read as Windows-1252, is well-formed UTF-8 with
    // multi-byte sequences.
    bool utf8AsWindows1252() const { return m_utf8AsWindows1252; }

    // The file that the last turn read, as it was then.
    const FileIdentity &identity() const;

    // Searches of the regular-expression mode end soon, with MatchLimitError, and loads with
    // LoadCancelled, once cancelled is set.
    void setCancellation(const std::atomic<bool> *cancelled);

private:
    const ScanRecipe m_recipe;
    // Exactly one of the two is set, after the recipe's mode.
    std::optional<RegexScan> m_regex;
    std::optional<SimpleScan> m_simple;
    SourceEncoding m_encoding;
    bool m_utf8AsWindows1252 = false;
};
