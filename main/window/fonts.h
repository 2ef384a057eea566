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

// The room in pixels that bold letters of font take beyond the regular ones where the font has
// no bold face of its own and Qt thickens the regular strokes instead; 0 where it has one.
qreal syntheticBoldSpacing(const QFont &font);

// Qt's own menus, message boxes, input boxes and further windows take the window font, as the
// main window does.
void useWindowFontThroughout();
