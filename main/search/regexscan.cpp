#include "search/regexscan.h"

#include "errors/qvxerror.h"
#include "files/linebreaks.h"
#include "search/matchbudget.h"
#include "search/preparedtext.h"
#include "search/textwalks.h"
#include "text/utf8normalizer.h"

#include <QScopeGuard>
#include <limits>
#include <utility>

namespace {

// PCRE2 searches a text that arrives in windows with partial matching, which the JIT cannot
// speed up as it does a complete search: alternatives and patterns without a fixed first
// character take up to several times as long. A text of up to this many pieces is searched
// whole; its memory is kept from load to load, so that its pages are touched only once.
constexpr qsizetype kWholePieces = 64;

// The UTF-8 room kept from one literally searched text to the next.
constexpr qsizetype kKeptConversion = qsizetype(16) << 20;

bool isLong(const TextLoader &loader)
{
    return loader.identity().size > kWholePieces * loader.pieceSize();
}

} // namespace

RegexScan::RegexScan(QString suchstr, QString ausschlstr, SourceEncoding encoding)
    : m_suchstr(std::move(suchstr)), m_ausschlstr(std::move(ausschlstr)),
      m_positiveLiteral(LiteralText::of(m_suchstr)),
      m_exclusionLiteral(LiteralText::of(m_ausschlstr)), m_loader(encoding)
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
                                              const std::function<QString()> &weightingText,
                                              const PreparedText *ahead)
{
    if (ahead && ahead->holdsFor(path)) {
        if (!ahead->weightingRead || weightingText() == ahead->weighting)
            return takeAhead(*ahead);
    }
    return evaluateStreamed(m_loader, path, weightingText);
}

std::optional<FileResult> RegexScan::evaluateStreamed(TextLoader &loader, const QString &path,
                                                      const std::function<QString()> &weightingText)
{
    Streamed streamed = stream(loader, path, weightingText);
    return result(streamed, path, weightingText);
}

bool RegexScan::searchesLiterally(const TextLoader &loader) const
{
    return loader.encoding() == SourceEncoding::Windows1252 && m_positiveLiteral &&
           (m_ausschlstr.isEmpty() || m_exclusionLiteral);
}

RegexScan::Streamed RegexScan::stream(TextLoader &loader, const QString &path,
                                      const std::function<QString()> &weightingText)
{
    Streamed streamed;
    if (searchesLiterally(loader)) {
        // A longer text is streamed, so that it never needs its whole size in memory.
        if (const auto raw = loader.loadRawWindows1252(path, kWholePieces * loader.pieceSize())) {
            streamed.whole = *raw;
            streamed.literal = true;
            return streamed;
        }
    }
    bool firstWindow = true;
    streamed.length =
        loader.streamUtf8(path, [&](std::string_view window, bool more) -> std::size_t {
            if (streamed.failure)
                return window.size();
            if (std::exchange(firstWindow, false) && more && isLong(loader))
                startWalks(streamed.walks, loader, weightingText);
            if (!streamed.walks) {
                streamed.whole = window;
                return 0;
            }
            try {
                return streamed.walks->walk(window, more);
            } catch (const MatchLimitError &error) {
                streamed.failure = tooCostlyForText(path, error);
            } catch (const QvxError &error) {
                streamed.failure = error;
            }
            return window.size();
        });
    return streamed;
}

std::optional<FileResult> RegexScan::result(const Streamed &streamed, const QString &path,
                                            const std::function<QString()> &weightingText)
{
    if (streamed.failure)
        throw *streamed.failure;
    if (streamed.literal)
        return literalResult(streamed, path, weightingText);
    if (!streamed.walks)
        return evaluateText(streamed.whole, streamed.length, path, weightingText);
    return walkedResult(*streamed.walks, streamed.length, path);
}

void RegexScan::startWalks(std::optional<TextWalks> &walks, const TextLoader &loader,
                           const std::function<QString()> &weightingText)
{
    const Pattern *positivePattern = nullptr;
    const Pattern *weightingPattern = nullptr;
    const Pattern *exclusionPattern = nullptr;
    try {
        positivePattern = &positive();
        const QString w = weightingText();
        if (!w.isEmpty())
            weightingPattern = &weighting(w);
        if (!m_ausschlstr.isEmpty())
            exclusionPattern = &exclusion();
    } catch (const QvxError &) {
        // Reported where evaluateText reports it.
        return;
    }
    walks.emplace(*positivePattern, weightingPattern, exclusionPattern,
                  std::size_t(loader.identity().size), m_cancelled);
}

std::optional<FileResult> RegexScan::walkedResult(const TextWalks &walks, qsizetype length,
                                                  const QString &path)
{
    const qint32 f = rowCount(walks.positiveMatches(), path);
    if (f == 0 || length == 0)
        return std::nullopt;
    if (walks.othersLimit())
        throw tooCostlyForText(path, *walks.othersLimit());
    const qint32 fB = walks.weighted() ? rowCount(walks.weightingMatches(), path) : -1;
    if (walks.excluded())
        return std::nullopt;
    return FileResult{f, double(f) / double(length) * 100.0, fB};
}

std::optional<FileResult> RegexScan::literalResult(const Streamed &streamed, const QString &path,
                                                   const std::function<QString()> &weightingText)
{
    const std::string_view text = streamed.whole;
    const qint32 f = rowCount(m_positiveLiteral->count(text), path);
    if (f == 0 || text.empty())
        return std::nullopt;
    // Most texts do not qualify: the length is worked out for those that do.
    const qsizetype length = lineRuledLength(text.data(), qsizetype(text.size()));
    const QString w = weightingText();
    const LiteralText *weighting = weightingLiteral(w);
    if (!w.isEmpty() && !weighting) {
        // Any other weighting pattern needs the text as the patterns see it. The room of a
        // large text is given back afterwards, as the loader gives back its own.
        const qsizetype room = normalizedUtf8Capacity(qsizetype(text.size()));
        const auto release = qScopeGuard([this, room] {
            if (room > kKeptConversion)
                std::vector<char>().swap(m_converted);
        });
        m_converted.resize(size_t(room));
        const NormalizedUtf8 normalized =
            normalizeToUtf8(text.data(), qsizetype(text.size()), m_converted.data(), room);
        return evaluateText(std::string_view(m_converted.data(), size_t(normalized.bytes)), length,
                            path, [&w] { return w; });
    }
    const qint32 fB = weighting ? rowCount(weighting->count(text), path) : -1;
    if (m_exclusionLiteral && m_exclusionLiteral->occursIn(text))
        return std::nullopt;
    return FileResult{f, double(f) / double(length) * 100.0, fB};
}

const LiteralText *RegexScan::weightingLiteral(const QString &text)
{
    if (text != m_weightingSource) {
        m_weightingSource = text;
        m_weightingLiteral = LiteralText::of(text);
    }
    return m_weightingLiteral ? &*m_weightingLiteral : nullptr;
}

bool RegexScan::aheadStands(const QString &path, const QString &weightingText,
                            const PreparedText *ahead)
{
    return ahead && ahead->holdsFor(path) &&
           (!ahead->weightingRead || weightingText == ahead->weighting);
}

std::optional<FileResult> RegexScan::takeAhead(const PreparedText &ahead)
{
    if (ahead.failed)
        throw QvxError(ahead.failure);
    return ahead.result;
}

std::optional<FileResult> RegexScan::evaluateText(std::string_view utf8, qsizetype length,
                                                  const QString &path,
                                                  const std::function<QString()> &weightingText)
{
    // All patterns on this text draw on one budget.
    MatchBudget budget(utf8.size(), m_cancelled);
    try {
        const qint32 f = rowCount(positive().countMatches(utf8, budget), path);
        if (f == 0)
            return std::nullopt;
        // An empty text has no percentage (it would divide by zero), so it qualifies in
        // neither mode, even when the pattern matches the empty string.
        if (length == 0)
            return std::nullopt;

        qint32 fB = -1;
        const QString w = weightingText();
        if (!w.isEmpty())
            fB = rowCount(weighting(w).countMatches(utf8, budget), path);

        if (!m_ausschlstr.isEmpty() && exclusion().matchesAnywhere(utf8, budget))
            return std::nullopt;

        const double proz = double(f) / double(length) * 100.0;
        return FileResult{f, proz, fB};
    } catch (const MatchLimitError &error) {
        throw tooCostlyForText(path, error);
    }
}

QvxError tooCostlyForText(const QString &path, const MatchLimitError &error)
{
    return QvxError(QString("Der reguläre Ausdruck ist für den Text der Datei %1 zu aufwendig: "
                            "%2. Die Suche wurde abgebrochen.")
                        .arg(path, error.reason()));
}

qint32 rowCount(qint64 count, const QString &path)
{
    if (count > std::numeric_limits<qint32>::max())
        throw QvxError(QString("Der reguläre Ausdruck findet im Text der Datei %1 %2 Treffer; die "
                               "Ergebnisliste kann höchstens %3 Treffer je Text zählen. Die Suche "
                               "wurde abgebrochen.")
                           .arg(path)
                           .arg(count)
                           .arg(std::numeric_limits<qint32>::max()));
    return static_cast<qint32>(count);
}
