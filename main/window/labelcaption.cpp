#include "window/labelcaption.h"

#include <QLabel>
#include <algorithm>

void setLabelCaption(QLabel *label, const QString &caption)
{
    label->setText(caption);
    QSize size = label->sizeHint();
    size.setHeight(std::max(size.height(), label->height()));
    // The size stays fixed between changes, so that a caption of the same width, such as the
    // next count of the hit counter, asks nobody to lay out again.
    if (size != label->size())
        label->setFixedSize(size);
}
