#include "window/dialogs.h"
#include "window/results/checkedrows.h"
#include "window/sources/itempaths.h"
#include "window/sources/updatessuspended.h"
#include "window/tform1.h"

#include <QCursor>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

void TForm1::Button7Click(QObject * /*Sender*/)
{
    popupAlsQuelldaten(QCursor::pos());
}

void TForm1::popupAlsQuelldaten(const QPoint &screenPos)
{
    // The chosen command runs through its action's triggered signal.
    m_dialogs->popupMenu(AlsQuelldaten, screenPos);
}

void TForm1::hinzu1Click(QObject * /*Sender*/)
{
    const UpdatesSuspended suspended(box);
    appendSourcePaths(box, checkedCaptions(files));
}

void TForm1::extealsneueQuelle1Click(QObject * /*Sender*/)
{
    const UpdatesSuspended suspended(box);
    box->clear();
    appendSourcePaths(box, checkedCaptions(files));
}
