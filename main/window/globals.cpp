#include "window/globals.h"

TForm1 *Form1 = nullptr;
bool Stop = false;
qint32 ColumnToSort = 0;
bool Accending = false;
QString suchstrGlobal;
QString GewichtStrGlobal;
