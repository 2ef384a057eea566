#include "window/search/filelisteadd.h"

#include "results/resultcells.h"
#include "results/resultcolumn.h"
#include "text/numberformat.h"
#include "window/globals.h"
#include "window/sources/itempaths.h"
#include "window/tform1.h"

#include <QLineEdit>
#include <QTreeWidget>

void filelisteAdd(const QString &filestr, qint32 f, double proz, qint32 fB, SourceEncoding encoding)
{
    const QChar separator = localeDecimalSeparator();
    double G = -1.0;
    if (fB > -1) {
        // The fields are read anew for every row, as they may be edited during a run.
        static FactorReader fKReader;
        static FactorReader fBKReader;
        const double fK = fKReader.read(Form1->Edit3->text(), separator);
        const double fBK = fBKReader.read(Form1->Edit4->text(), separator);
        G = rowScore(f, fB, fK, fBK);
    }
    const QStringList cells = resultCells(f, proz, fB, G, separator);
    auto *row = new QTreeWidgetItem;
    // Rows never have rows below them; saying so spares the view asking each row at every layout.
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                  Qt::ItemNeverHasChildren);
    // The last column first: the item then sizes its per-column storage once instead of growing
    // it column by column, which cost more than the rest of the row.
    for (int column = ResultColumn::G; column >= ResultColumn::F; --column)
        row->setText(column, cells[column - ResultColumn::F]);
    setRowPath(row, filestr, encoding);
    row->setCheckState(0, Qt::Checked);
    Form1->appendResultRow(row);
}
