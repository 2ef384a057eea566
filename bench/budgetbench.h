#pragma once

#include <QString>

class WindowDriver;

// One text on which a pattern runs out of its budget: how long the window takes to say so, and
// the longest stretch in which it processed no events meanwhile.
void benchBudget(WindowDriver &window, const QString &root);
