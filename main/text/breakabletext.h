#pragma once

#include <QString>

// The text with a zero-width space as a place to wrap after every separator of a long word (a
// path) and after every run of 40 characters in it: a message box wraps only between words, and
// a long path would otherwise stretch the box beyond the screen or be cut off.
QString withWrapPlacesInLongWords(const QString &text);
