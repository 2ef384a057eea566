#pragma once

#include <QString>
#include <QtGlobal>

class TForm1;

// The unit's globals: the window and the few values that outlive a single handler.
extern TForm1 *Form1;
extern bool Stop;
extern qint32 ColumnToSort;
extern bool Accending;
extern QString suchstrGlobal;
extern QString GewichtStrGlobal;
