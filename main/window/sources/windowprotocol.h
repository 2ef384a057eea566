#pragma once

#include "subcorpus/protocol.h"

#include <QList>

class TForm1;
class QTreeWidgetItem;

// A result row as the record lists a copied text: its path and the numbers of its cells, read
// back with the locale's decimal separator.
ProtocolText protocolText(const QTreeWidgetItem *row);

// The record of a subcorpus that the window saved with the copied texts: the search as its
// globals and fields hold it now, the source list, and the texts. The window reads Windows-1252
// and has no thresholds or command. The mode follows the rows, which a mode switched since the
// search does not change: the simple search's rows carry -1 for f.
SubcorpusProtocol windowProtocol(const TForm1 &form, const QList<ProtocolText> &copied);
