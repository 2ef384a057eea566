#pragma once

#include <QFont>

// Makes Tahoma available where the system lacks it but Wine's metric twin is installed. Safe to
// call more than once.
void registerFallbackFonts();

// Tahoma at a character height of 11 pixels, or a similar sans-serif of that size.
QFont windowFont();
QFont windowBoldFont();
// "MS Sans Serif", bold, 11 pixels, or bold Tahoma where no scalable "MS Sans Serif" exists:
// the headings of the input fields and lists.
QFont headingFont();
