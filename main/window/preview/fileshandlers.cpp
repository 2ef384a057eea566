#include "window/preview/ladevorschau.h"
#include "window/sources/itempaths.h"
#include "window/tform1.h"

#include <QTreeWidget>

void TForm1::filesClick(QObject * /*Sender*/)
{
    const QList<QTreeWidgetItem *> selected = files->selectedItems();
    if (!selected.isEmpty())
        Ladevorschau(vorschau, rowPath(selected.first()), rowEncoding(selected.first()));
}

// Whatever the key did (moved the selection, toggled a check mark, nothing), the preview shows
// the row selected now.
void TForm1::filesKeyUp(QObject *Sender, int /*Key*/, Qt::KeyboardModifiers /*Shift*/)
{
    filesClick(Sender);
}
