#pragma once

#include <functional>

class QLabel;

// Labels have no click signal: calls onClick when the left mouse button is released over the
// label after it was pressed there.
void connectLabelClick(QLabel *label, std::function<void()> onClick);
