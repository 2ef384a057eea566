#pragma once

#include "files/textloading.h"
#include "search/fileresult.h"
#include "search/literaltext.h"
#include "search/pattern.h"
#include "search/textwalks.h"

struct PreparedText;

#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The regular-expression mode of one search run. Each pattern is compiled when it is first used
// on a text, so an invalid one is reported at the same file and moment as if it were compiled
// anew for every file: the positive pattern after the first file is loaded, the weighting and
// exclusion patterns at the first file with a positive match, in that order.
class RegexScan
{
public:
    RegexScan(QString suchstr, QString ausschlstr,
              SourceEncoding encoding = SourceEncoding::Windows1252);
    ~RegexScan();

    // Evaluates one source file. weightingText is called only for a file with a positive match
    // (the weighting field is read anew at that moment); the pattern is recompiled when the text
    // changed. Returns the numbers when the file qualifies. An empty text never qualifies.
    // Throws QvxError for an unreadable file, an invalid pattern or a pattern that exceeds PCRE2's
    // limits on this text. The outcome worked out ahead, when given, stands for the work if it
    // still holds: the same file in the same state, and the same weighting text if it was read.
    std::optional<FileResult> evaluate(const QString &path,
                                       const std::function<QString()> &weightingText,
                                       const PreparedText *ahead = nullptr);

    // The same for the text of path as loader streams it, which keeps only a window of a text
    // longer than 64 pieces in memory. Of such a text the weighting text is read at its first
    // window, since the weighting pattern walks through the text alongside the positive one.
    std::optional<FileResult> evaluateStreamed(TextLoader &loader, const QString &path,
                                               const std::function<QString()> &weightingText);

    // evaluateStreamed in two steps, which tell the errors of reading from those of searching:
    // stream throws only what loader throws, result what the search met. What stream returns
    // is valid until loader's next load.
    struct Streamed
    {
        // The text's length in UTF-16 code units; for a literal search it is left to the result.
        qsizetype length = 0;
        // The walks of a text searched in windows; otherwise the text, whole.
        std::optional<TextWalks> walks;
        std::string_view whole;
        // whole holds the file's Windows-1252 bytes as they stand, searched for literals.
        bool literal = false;
        std::optional<QvxError> failure;
    };
    Streamed stream(TextLoader &loader, const QString &path,
                    const std::function<QString()> &weightingText);
    std::optional<FileResult> result(const Streamed &streamed, const QString &path,
                                     const std::function<QString()> &weightingText);

    // The same for a text that is already loaded, of length UTF-16 code units.
    std::optional<FileResult> evaluateText(std::string_view utf8, qsizetype length,
                                           const QString &path,
                                           const std::function<QString()> &weightingText);

    // Whether the outcome worked out ahead stands for path at its turn: the same file in the
    // same state, and the same weighting text if it was read.
    static bool aheadStands(const QString &path, const QString &weightingText,
                            const PreparedText *ahead);
    // The outcome worked out ahead; throws the QvxError that the work met.
    static std::optional<FileResult> takeAhead(const PreparedText &ahead);

    // The loads from now on read in encoding.
    void setEncoding(SourceEncoding encoding) { m_loader.setEncoding(encoding); }
    const TextLoader &loader() const { return m_loader; }

    // Searches end soon, with MatchLimitError, and loads with LoadCancelled, once cancelled is
    // set.
    void setCancellation(const std::atomic<bool> *cancelled)
    {
        m_cancelled = cancelled;
        m_loader.setCancellation(cancelled);
    }

private:
    // Sets up the walks of a text searched in windows, reading the weighting text; leaves walks
    // empty when a pattern does not compile.
    void startWalks(std::optional<TextWalks> &walks, const TextLoader &loader,
                    const std::function<QString()> &weightingText);
    std::optional<FileResult> walkedResult(const TextWalks &walks, qsizetype length,
                                           const QString &path);
    // A text read as Windows-1252 is searched in its own bytes when the positive and the
    // exclusion pattern are plain strings (see LiteralText): it need not be converted.
    bool searchesLiterally(const TextLoader &loader) const;
    std::optional<FileResult> literalResult(const Streamed &streamed, const QString &path,
                                            const std::function<QString()> &weightingText);
    const LiteralText *weightingLiteral(const QString &text);
    const Pattern &positive();
    const Pattern &weighting(const QString &text);
    const Pattern &exclusion();

    QString m_suchstr;
    QString m_ausschlstr;
    std::unique_ptr<Pattern> m_positive;
    std::unique_ptr<Pattern> m_weighting;
    std::unique_ptr<Pattern> m_exclusion;
    std::optional<LiteralText> m_positiveLiteral;
    std::optional<LiteralText> m_exclusionLiteral;
    QString m_weightingSource;
    std::optional<LiteralText> m_weightingLiteral;
    // The UTF-8 form of a text searched literally, made only for a weighting pattern.
    std::vector<char> m_converted;
    const std::atomic<bool> *m_cancelled = nullptr;
    TextLoader m_loader;
};

// A match count as the row's 32-bit f or fB. Throws QvxError naming the file when the count
// exceeds what a row can hold.
qint32 rowCount(qint64 count, const QString &path);

// The error that ends the search when the pattern needs more than its budget on the text at path.
QvxError tooCostlyForText(const QString &path, const MatchLimitError &error);
