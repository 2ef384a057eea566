#include "runstats.h"

#include "text/nativepath.h"
#include "text/numberformat.h"

#include <sys/stat.h>

RunStats::RunStats()
{
    m_clock.start();
}

void RunStats::textRead(const QString &path)
{
    ++m_read;
    struct stat status;
    if (::stat(nativePath(path).constData(), &status) == 0)
        m_bytes += status.st_size;
}

void RunStats::textFound(qint32 f)
{
    ++m_found;
    if (f < 0)
        m_counted = false;
    else
        m_matches += f;
}

QString RunStats::summary() const
{
    const QString seconds = QString::number(m_clock.elapsed() / 1000.0, 'f', 2)
                                .replace(QLatin1Char('.'), localeDecimalSeparator());
    QString line =
        QStringLiteral("Statistik: %1 Texte gelesen, %2 gefunden").arg(m_read).arg(m_found);
    if (m_counted)
        line += QStringLiteral(", %1 Treffer").arg(m_matches);
    return line + QStringLiteral(", %1 Bytes, %2 Sekunden").arg(m_bytes).arg(seconds);
}
