#include "window/dialogs.h"
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

namespace {

// Each text keeps the encoding it was read in, so that a list may mix them.
void appendCheckedRows(QListWidget *box, const QTreeWidget *files)
{
    for (int row = 0; row < files->topLevelItemCount(); ++row) {
        const QTreeWidgetItem *item = files->topLevelItem(row);
        if (item->checkState(0) == Qt::Checked)
            appendSourcePaths(box, {rowPath(item)}, rowEncoding(item));
    }
}

} // namespace

void TForm1::hinzu1Click(QObject * /*Sender*/)
{
    const UpdatesSuspended suspended(box);
    appendCheckedRows(box, files);
}

void TForm1::extealsneueQuelle1Click(QObject * /*Sender*/)
{
    const UpdatesSuspended suspended(box);
    box->clear();
    appendCheckedRows(box, files);
}
