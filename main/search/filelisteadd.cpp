#include "search/filelisteadd.h"

#include "search/numberformat.h"
#include "search/resultcolumn.h"
#include "sources/itempaths.h"
#include "window/globals.h"
#include "window/tform1.h"

#include <QLineEdit>
#include <QTreeWidget>

void filelisteAdd(const QString &filestr, qint32 f, double proz, qint32 fB)
{
    const QChar separator = localeDecimalSeparator();
    double G = -1.0;
    if (fB > -1) {
        // The fields are read anew for every row, as they may be edited during a run.
        static FactorReader fKReader;
        static FactorReader fBKReader;
        const double fK = fKReader.read(Form1->Edit3->text(), separator);
        const double fBK = fBKReader.read(Form1->Edit4->text(), separator);
        const double weightedF = f * fK;
        const double weightedFB = fB * fBK;
        G = weightedF + weightedFB;
    }
    auto *row = new QTreeWidgetItem;
    // Rows never have rows below them; saying so spares the view asking each row at every layout.
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                  Qt::ItemNeverHasChildren);
    // The last column first: the item then sizes its per-column storage once instead of growing
    // it column by column, which cost more than the rest of the row.
    row->setText(ResultColumn::G, formatGeneral(G, separator));
    row->setText(ResultColumn::FB, formatInteger(fB));
    row->setText(ResultColumn::Percent, formatGeneral(proz, separator));
    row->setText(ResultColumn::F, formatInteger(f));
    setRowPath(row, filestr);
    row->setCheckState(0, Qt::Checked);
    Form1->files->addTopLevelItem(row);
}
