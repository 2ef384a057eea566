#include "search/handle.h"
#include "search/tform1.h"

#include <QPushButton>

// Every event that has a handler, and nothing else: the other controls react only in the
// toolkit's standard way.
void TForm1::connectHandlers()
{
    // Window state and search
    onClick(Button3, &TForm1::Button3Click);
    onClick(Button6, &TForm1::Button6Click);

    // Result list handling

    // Sources and subcorpus output

    // Preview

    // AntConc settings export

    // Main window and help
}
