#pragma once

class QLabel;
class QString;

// Gives a label a new caption and, as every label of the window but Label2, the size of that
// caption from its left edge, so that a longer caption is not cut off.
void setLabelCaption(QLabel *label, const QString &caption);
