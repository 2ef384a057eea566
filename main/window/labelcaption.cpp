#include "window/labelcaption.h"

#include <QFontMetrics>
#include <QLabel>
#include <QVariant>
#include <algorithm>

namespace {

// True when the two captions differ at most in digits at the same places.
bool differOnlyInDigits(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && !(a[i].isDigit() && b[i].isDigit()))
            return false;
    return true;
}

bool digitsEquallyWide(const QFontMetrics &metrics)
{
    const int width = metrics.horizontalAdvance(QLatin1Char('0'));
    for (char digit = '1'; digit <= '9'; ++digit)
        if (metrics.horizontalAdvance(QLatin1Char(digit)) != width)
            return false;
    return true;
}

} // namespace

void setLabelCaption(QLabel *label, const QString &caption)
{
    // The hit counter changes every few files during a search, mostly in its digits alone; where
    // the font's digits are equally wide, such a caption needs the same room, and measuring it
    // would lay its text out each time.
    const char *const measured = "measuredCaption";
    const bool sameRoom = differOnlyInDigits(label->property(measured).toString(), caption) &&
                          digitsEquallyWide(label->fontMetrics());
    label->setText(caption);
    if (sameRoom)
        return;
    label->setProperty(measured, caption);
    QSize size = label->sizeHint();
    size.setHeight(std::max(size.height(), label->height()));
    // The size stays fixed between changes, so that a caption of the same width, such as the
    // next count of the hit counter, asks nobody to lay out again.
    if (size != label->size())
        label->setFixedSize(size);
}
