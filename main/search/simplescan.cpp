#include "search/simplescan.h"

#include "errors/qvxerror.h"
#include "search/preparedtext.h"
#include "text/codepage.h"

#include <cstring>
#include <string_view>
#include <utility>

namespace {

bool occursIn(std::string_view text, const std::optional<QByteArray> &needle)
{
    if (!needle)
        return false;
    if (needle->isEmpty())
        return true;
    // An empty text read as it is may have no buffer at all, which memmem must not be given.
    if (text.size() < size_t(needle->size()))
        return false;
    return memmem(text.data(), text.size(), needle->constData(), size_t(needle->size())) != nullptr;
}

} // namespace

void lowerCaseUnits(QString &text)
{
    QChar *units = text.data();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i)
        units[i] = units[i].toLower();
}

SimpleScan::SimpleScan(QString suchstr, QString ausschlstr, SourceEncoding encoding)
    : m_suchstr(std::move(suchstr)), m_ausschlstr(std::move(ausschlstr)), m_loader(encoding)
{
    encodeStrings();
    const auto hasLineBreak = [](const QString &text) {
        return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
    };
    m_lineBreaksMatter = hasLineBreak(m_suchstr) || hasLineBreak(m_ausschlstr);
}

void SimpleScan::encodeStrings()
{
    m_suchBytes = cp1252::encodeExactly(m_suchstr);
    m_ausschlBytes = cp1252::encodeExactly(m_ausschlstr);
}

void SimpleScan::lowerStrings()
{
    // Lowering is idempotent, so the strings are lowered once, at the first file that asks.
    if (m_lowered)
        return;
    lowerCaseUnits(m_suchstr);
    lowerCaseUnits(m_ausschlstr);
    encodeStrings();
    m_lowered = true;
}

bool SimpleScan::qualifies(const QString &path, bool ignoreCase, const PreparedText *ahead)
{
    if (aheadStands(path, ignoreCase, ahead))
        return takeAhead(*ahead, ignoreCase);
    return qualifiesLoaded(m_loader, path, ignoreCase);
}

bool SimpleScan::aheadStands(const QString &path, bool ignoreCase, const PreparedText *ahead) const
{
    // Work ahead lowers the strings exactly when it ignores case, and it knows of no earlier turn.
    const bool sameStrings = ignoreCase || !m_lowered;
    return ahead && ahead->ignoreCase == ignoreCase && sameStrings && ahead->holdsFor(path);
}

bool SimpleScan::takeAhead(const PreparedText &ahead, bool ignoreCase)
{
    if (ahead.failed)
        throw QvxError(ahead.failure);
    if (ignoreCase)
        lowerStrings();
    return ahead.qualifies;
}

bool SimpleScan::qualifiesLoaded(TextLoader &loader, const QString &path, bool ignoreCase)
{
    const TextLoader::SearchText text = loader.loadForSearch(path, ignoreCase, m_lineBreaksMatter);
    if (text.utf16)
        return qualifiesUtf16(*text.utf16, ignoreCase);
    return qualifiesText(text.windows1252, ignoreCase);
}

bool SimpleScan::qualifiesText(std::string_view text, bool ignoreCase)
{
    if (ignoreCase)
        lowerStrings();
    if (!occursIn(text, m_suchBytes))
        return false;
    if (!m_ausschlstr.isEmpty() && occursIn(text, m_ausschlBytes))
        return false;
    return true;
}

bool SimpleScan::qualifiesUtf16(QString &text, bool ignoreCase)
{
    if (ignoreCase) {
        lowerCaseUnits(text);
        lowerStrings();
    }
    if (!text.contains(m_suchstr, Qt::CaseSensitive))
        return false;
    return m_ausschlstr.isEmpty() || !text.contains(m_ausschlstr, Qt::CaseSensitive);
}
