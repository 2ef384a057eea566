#include "progressline.h"

#include "text/nativepath.h"
#include "text/numberformat.h"

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 drawInterval = 200;

} // namespace

ProgressLine::ProgressLine(bool enabled, qsizetype total) : m_enabled(enabled), m_total(total)
{
    m_clock.start();
}

ProgressLine::~ProgressLine()
{
    clear();
}

void ProgressLine::fileDone(const QString &path, qsizetype rows)
{
    ++m_done;
    if (!m_enabled)
        return;
    struct stat status;
    if (::stat(nativePath(path).constData(), &status) == 0)
        m_bytes += status.st_size;
    const qint64 now = m_clock.elapsed();
    if (m_lastDraw < 0 || now - m_lastDraw >= drawInterval || m_done == m_total) {
        m_lastDraw = now;
        draw(rows);
    }
}

void ProgressLine::draw(qsizetype rows)
{
    const double seconds = qMax<qint64>(m_clock.elapsed(), 1) / 1000.0;
    const QString rate = QString::number(double(m_bytes) / 1e6 / seconds, 'f', 1)
                             .replace(QLatin1Char('.'), localeDecimalSeparator());
    const QString line = QStringLiteral("%1 von %2 Dateien, %3 MB/s, %4 Treffer")
                             .arg(m_done)
                             .arg(m_total)
                             .arg(rate)
                             .arg(rows);
    // Carriage return and "erase to the end of the line": the line is drawn over in place.
    std::fprintf(stderr, "\r%s\033[K", line.toUtf8().constData());
    std::fflush(stderr);
    m_shown = true;
}

void ProgressLine::clear()
{
    if (!m_shown)
        return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    m_shown = false;
}

bool standardErrorIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}
