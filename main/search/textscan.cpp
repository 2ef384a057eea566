#include "search/textscan.h"

#include "errors/qvxerror.h"
#include "search/pattern.h"
#include "search/preparedtext.h"

#include <QtGlobal>

namespace {

std::optional<FileResult> simpleResult(bool qualifies)
{
    if (qualifies)
        return FileResult{};
    return std::nullopt;
}

} // namespace

TextScan::TextScan(const ScanRecipe &recipe) : m_recipe(recipe), m_encoding(recipe.encoding)
{
    if (m_recipe.regex)
        m_regex.emplace(m_recipe.suchstr, m_recipe.ausschlstr, m_recipe.encoding);
    else
        m_simple.emplace(m_recipe.suchstr, m_recipe.ausschlstr, m_recipe.encoding);
}

void TextScan::checkPatterns() const
{
    if (!m_regex)
        return;
    for (const QString &pattern : {m_recipe.suchstr, m_recipe.weighting, m_recipe.ausschlstr}) {
        if (!pattern.isEmpty())
            Pattern{pattern};
    }
}

std::optional<FileResult> TextScan::atTurn(const QString &path, const PreparedText *ahead)
{
    return atTurn(path, TurnValues{m_recipe.weighting, m_recipe.ignoreCase}, ahead);
}

std::optional<FileResult> TextScan::atTurn(const QString &path, const TurnValues &values,
                                           const PreparedText *ahead)
{
    if (aheadStands(path, values, ahead))
        return takeAhead(*ahead, values);
    m_utf8AsWindows1252 = false;
    std::optional<FileResult> result;
    if (m_regex)
        result = m_regex->evaluate(path, [&values] { return values.weighting; });
    else
        result = simpleResult(m_simple->qualifies(path, values.ignoreCase));
    m_utf8AsWindows1252 =
        (m_regex ? m_regex->loader() : m_simple->loader()).utf8ReadAsWindows1252();
    return result;
}

bool TextScan::aheadStands(const QString &path, const TurnValues &values,
                           const PreparedText *ahead) const
{
    if (ahead && ahead->encoding != m_encoding)
        return false;
    if (m_regex)
        return RegexScan::aheadStands(path, values.weighting, ahead);
    return m_simple->aheadStands(path, values.ignoreCase, ahead);
}

std::optional<FileResult> TextScan::takeAhead(const PreparedText &ahead, const TurnValues &values)
{
    m_utf8AsWindows1252 = ahead.utf8AsWindows1252;
    if (m_regex)
        return RegexScan::takeAhead(ahead);
    return simpleResult(m_simple->takeAhead(ahead, values.ignoreCase));
}

void TextScan::prepare(TextLoader &loader, const QString &path, PreparedText &out)
{
    out.encoding = loader.encoding();
    if (m_simple) {
        out.ignoreCase = m_recipe.ignoreCase;
        out.qualifies = m_simple->qualifiesLoaded(loader, path, out.ignoreCase);
        out.utf8AsWindows1252 = loader.utf8ReadAsWindows1252();
        return;
    }
    out.weightingRead = false;
    out.failed = false;
    out.failure.clear();
    out.result.reset();
    // Taken only for a text that needs it: every thread shares the string, and a copy for every
    // text would move its reference count from one processor to the other.
    const auto weighting = [this, &out] {
        out.weightingRead = true;
        out.weighting = m_recipe.weighting;
        return out.weighting;
    };
    const RegexScan::Streamed streamed = m_regex->stream(loader, path, weighting);
    out.utf8AsWindows1252 = loader.utf8ReadAsWindows1252();
    try {
        out.result = m_regex->result(streamed, path, weighting);
    } catch (const QvxError &error) {
        out.failed = true;
        out.failure = error.message();
    }
}

void TextScan::setEncoding(SourceEncoding encoding)
{
    m_encoding = encoding;
    if (m_regex)
        m_regex->setEncoding(encoding);
    else
        m_simple->setEncoding(encoding);
}

const FileIdentity &TextScan::identity() const
{
    return (m_regex ? m_regex->loader() : m_simple->loader()).identity();
}

void TextScan::setCancellation(const std::atomic<bool> *cancelled)
{
    if (m_regex)
        m_regex->setCancellation(cancelled);
    else
        m_simple->setCancellation(cancelled);
}
