#include "search/simplescan.h"

#include "search/codepage.h"

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

SimpleScan::SimpleScan(QString suchstr, QString ausschlstr)
    : m_suchstr(std::move(suchstr)), m_ausschlstr(std::move(ausschlstr))
{
    encodeStrings();
}

void SimpleScan::encodeStrings()
{
    m_suchBytes = cp1252::encodeExactly(m_suchstr);
    m_ausschlBytes = cp1252::encodeExactly(m_ausschlstr);
}

bool SimpleScan::qualifies(const QString &path, bool ignoreCase)
{
    std::string_view text = m_loader.loadWindows1252(path, ignoreCase);
    // Lowering is idempotent, so the strings are lowered once, at the first file that asks.
    if (ignoreCase && !m_lowered) {
        lowerCaseUnits(m_suchstr);
        lowerCaseUnits(m_ausschlstr);
        encodeStrings();
        m_lowered = true;
    }
    if (!occursIn(text, m_suchBytes))
        return false;
    if (!m_ausschlstr.isEmpty() && occursIn(text, m_ausschlBytes))
        return false;
    return true;
}
