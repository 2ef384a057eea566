#pragma once

#include <QProxyStyle>

// The window's layout gives radio buttons and check boxes just the width of a small indicator,
// a narrow gap and their caption; the default gap of some styles would cut the caption off.
class CompactIndicatorStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
};
