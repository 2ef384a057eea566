#include "search/tform1.h"
#include "sources/updatessuspended.h"
#include "window/dialogs.h"

#include <QCursor>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// The captions of the checked result rows in their current order.
QStringList checkedTexts(const QTreeWidget *files)
{
    QStringList paths;
    const int n = files->topLevelItemCount();
    for (int i = 0; i < n; ++i) {
        const QTreeWidgetItem *row = files->topLevelItem(i);
        if (row->checkState(0) == Qt::Checked)
            paths << row->text(0);
    }
    return paths;
}

} // namespace

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
    box->addItems(checkedTexts(files));
}

void TForm1::extealsneueQuelle1Click(QObject * /*Sender*/)
{
    const UpdatesSuspended suspended(box);
    box->clear();
    box->addItems(checkedTexts(files));
}
