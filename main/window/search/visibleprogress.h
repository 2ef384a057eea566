#pragma once

#include <QtGlobal>

class QProgressBar;

// Sets a bar to a value where that changes what the bar shows: its percentage text, when one is
// drawn, the filled length at the bar's width in device pixels, or its reaching the minimum or the
// maximum. Setting the value makes the bar word its text and look up its style to decide whether
// to repaint, which cost a search run more than a text it read; a value the user cannot tell from
// the one shown is left out.
class VisibleProgress
{
public:
    // The bar's pixel ratio and text format are taken once: asking for the ratio walks up to the
    // screen, and the format is a string to look through.
    explicit VisibleProgress(QProgressBar *bar);

    void set(int value);

private:
    QProgressBar *m_bar;
    qreal m_pixelRatio;
    bool m_textShowsEveryStep;
};
