#pragma once

#include <QString>

class WindowDriver;

// One text on which a pattern runs out of its budget: how long the window takes to say so, and
// the longest stretch in which it processed no events meanwhile.
void benchBudget(WindowDriver &window, const QString &path);

// The text of that measurement, written under root once, before anything is measured: a text
// written just before its search is read again at its turn, as any text that may have changed.
QString budgetText(const QString &root);
