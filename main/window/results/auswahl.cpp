#include "window/results/auswahl.h"

#include "results/thresholdnumber.h"
#include "text/numberformat.h"
#include "window/globals.h"
#include "window/results/checkmarkbatch.h"
#include "window/tform1.h"

#include <QTreeWidget>
#include <vector>

namespace {

Qt::CheckState checkState(bool checked)
{
    return checked ? Qt::Checked : Qt::Unchecked;
}

} // namespace

void Auswahl(bool x)
{
    QTreeWidget *files = Form1->files;
    const CheckMarkBatch batch(files);
    for (int i = 0; i < files->topLevelItemCount(); ++i)
        files->topLevelItem(i)->setCheckState(0, checkState(x));
}

void AuswahlX(qint32 Spalte)
{
    const QString text =
        Form1->dialogs()
            .inputText(Form1, QStringLiteral("Auswahl aller Elemente größer als"),
                       QStringLiteral("Bitte geben Sie eine Zahl ein."), QStringLiteral("0"))
            .value_or(QStringLiteral("0"));
    const QChar separator = localeDecimalSeparator();
    const double X = readThresholdNumber(Spalte, text, separator);

    // Every cell is read before the first check mark changes, so a cell that does not convert
    // leaves the marks as they were.
    QTreeWidget *files = Form1->files;
    const int n = files->topLevelItemCount();
    std::vector<bool> greater;
    greater.reserve(n);
    for (int i = 0; i < n; ++i)
        greater.push_back(
            exceedsThreshold(Spalte, files->topLevelItem(i)->text(Spalte), X, separator));
    const CheckMarkBatch batch(files);
    for (int i = 0; i < n; ++i)
        files->topLevelItem(i)->setCheckState(0, checkState(greater[i]));
}
