#include "window/compactindicatorstyle.h"

int CompactIndicatorStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                                       const QWidget *widget) const
{
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
    case PM_RadioButtonLabelSpacing:
    case PM_CheckBoxLabelSpacing:
        return qMin(base, 3);
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
        return qMin(base, 13);
    default:
        return base;
    }
}
