#pragma once

class QWidget;

// Moves a top-level window, frame included, to the middle of its screen's free area.
void centreOnScreen(QWidget *window);
