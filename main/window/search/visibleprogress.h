#pragma once

class QProgressBar;

// Sets the bar to value where that changes what the bar shows: its percentage text, when one is
// drawn, or the filled length at the bar's width in device pixels, or its reaching the minimum or
// the maximum. Setting the value makes the bar work out its text and style options to decide
// whether to repaint, which cost the search run more than a text it read; a value the user cannot
// tell from the one shown is left out. The last value of a run is set with setValue itself.
void setVisibleProgress(QProgressBar *bar, int value);
