#pragma once

#include <QFont>

// Makes Tahoma and "MS Sans Serif" available where the system lacks them but Wine's metric
// twins are installed. Safe to call more than once.
void registerFallbackFonts();

// Tahoma at a character height of 11 pixels, or a similar sans-serif of that size.
QFont windowFont();
QFont windowBoldFont();
// "MS Sans Serif", bold, 11 pixels: the headings of the input fields and lists.
QFont headingFont();
