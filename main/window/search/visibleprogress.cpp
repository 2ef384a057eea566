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

void setVisibleProgress(QProgressBar *bar, int value)
{
    const int shown = bar->value();
    if (value == shown)
        return;
    if (bar->maximum() <= bar->minimum() || value <= bar->minimum() || value >= bar->maximum() ||
        textShowsEveryStep(*bar)) {
        bar->setValue(value);
        return;
    }
    const qint64 pixels = qCeil(bar->width() * bar->devicePixelRatio());
    if (!(pictureOf(*bar, value, pixels) == pictureOf(*bar, shown, pixels)))
        bar->setValue(value);
}
