#include "window/search/visibleprogress.h"

#include <QProgressBar>
#include <QtMath>

namespace {

struct Picture
{
    qint64 filled;
    int percent;

    bool operator==(const Picture &other) const
    {
        return filled == other.filled && percent == other.percent;
    }
};

// What the bar would draw for value, told apart no finer than the user could.
Picture pictureOf(const QProgressBar &bar, int value, qint64 pixels)
{
    const qint64 steps = qint64(bar.maximum()) - bar.minimum();
    const qint64 done = qint64(value) - bar.minimum();
    // The percentage as the bar words it.
    return {done * pixels / steps, int(done * 100.0 / steps)};
}

// A text that names the value or the maximum changes with every step.
bool textShowsEveryStep(const QProgressBar &bar)
{
    if (!bar.isTextVisible())
        return false;
    const QString format = bar.format();
    return format.contains(QLatin1String("%v")) || format.contains(QLatin1String("%m"));
}

} // namespace

VisibleProgress::VisibleProgress(QProgressBar *bar)
    : m_bar(bar), m_pixelRatio(bar->devicePixelRatio()),
      m_textShowsEveryStep(textShowsEveryStep(*bar))
{
}

void VisibleProgress::set(int value)
{
    const int shown = m_bar->value();
    if (value == shown)
        return;
    if (m_bar->maximum() <= m_bar->minimum() || value <= m_bar->minimum() ||
        value >= m_bar->maximum() || m_textShowsEveryStep) {
        m_bar->setValue(value);
        return;
    }
    const qint64 pixels = qCeil(m_bar->width() * m_pixelRatio);
    if (!(pictureOf(*m_bar, value, pixels) == pictureOf(*m_bar, shown, pixels)))
        m_bar->setValue(value);
}
