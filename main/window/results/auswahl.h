#pragma once

#include <QtGlobal>

// Sets the check mark of every result row of Form1 to x.
void Auswahl(bool x);

// Asks for a threshold X and then checks exactly the rows whose value in column Spalte (1 f,
// 2 %, 3 fB) is greater than X. Cancelling the input box means X = 0. A text that does not
// convert raises QvxError before any check mark changes.
void AuswahlX(qint32 Spalte);
