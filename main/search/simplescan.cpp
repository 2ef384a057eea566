#include "search/simplescan.h"

#include "search/textloading.h"

#include <utility>

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
}

bool SimpleScan::qualifies(const QString &path, bool ignoreCase)
{
    QString text = loadText(path);
    if (ignoreCase) {
        lowerCaseUnits(text);
        // Lowering is idempotent, so doing it again for every file does no harm.
        lowerCaseUnits(m_suchstr);
        lowerCaseUnits(m_ausschlstr);
    }
    if (!text.contains(m_suchstr, Qt::CaseSensitive))
        return false;
    if (!m_ausschlstr.isEmpty() && text.contains(m_ausschlstr, Qt::CaseSensitive))
        return false;
    return true;
}
