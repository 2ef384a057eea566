#include "window/search/laufen.h"

#include "window/globals.h"
#include "window/tform1.h"

#include <QPushButton>

void Laufen(bool x)
{
    Form1->Button3->setVisible(!x);
    Form1->Button6->setVisible(x);
}
