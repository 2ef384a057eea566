#include "results/resultcolumn.h"
#include "window/results/auswahl.h"
#include "window/results/checkmarkbatch.h"
#include "window/tform1.h"

#include <QTreeWidget>

void TForm1::Allesauswhlen1Click(QObject * /*Sender*/)
{
    Auswahl(true);
}

void TForm1::Nichtsauswhlen1Click(QObject * /*Sender*/)
{
    Auswahl(false);
}

void TForm1::Auswahlinvertieren1Click(QObject * /*Sender*/)
{
    const CheckMarkBatch batch(files);
    for (int i = 0; i < files->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = files->topLevelItem(i);
        row->setCheckState(0, row->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
}

void TForm1::AllemitfgreralsXauswhlen1Click(QObject * /*Sender*/)
{
    AuswahlX(ResultColumn::F);
}

void TForm1::AllemitgreralsXauswhlen1Click(QObject * /*Sender*/)
{
    AuswahlX(ResultColumn::Percent);
}

void TForm1::AllemitfBgreralsXauswhlen1Click(QObject * /*Sender*/)
{
    AuswahlX(ResultColumn::FB);
}
