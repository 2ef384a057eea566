#include "files/textfilewriter.h"
#include "results/exportline.h"
#include "results/resultcolumn.h"
#include "results/substitutedpaths.h"
#include "window/sources/itempaths.h"
#include "window/tform1.h"

#include <QDir>
#include <QFileDialog>
#include <QTreeWidget>

namespace {

const QString exportFailed = QStringLiteral(
    "Beim Abspeichern der Daten ist ein ungeklärter Fehler entstanden (Zielverzeichis korrekt?). "
    "Vorgang wurde abgebrochen.");

QString rowLine(const QTreeWidgetItem *row)
{
    QStringList cells;
    for (int column = ResultColumn::File + 1; column < ResultColumn::Count; ++column)
        cells << row->text(column);
    return exportLine(rowPath(row), cells);
}

} // namespace

void TForm1::Exportieren1Click(QObject * /*Sender*/)
{
    if (files->topLevelItemCount() == 0)
        return;
    QStringList lines;
    QStringList paths;
    for (int i = 0; i < files->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = files->topLevelItem(i);
        if (row->checkState(0) == Qt::Checked) {
            lines << rowLine(row);
            paths << rowPath(row);
        }
    }
    try {
        if (!m_dialogs->execFileDialog(savetxtdlg))
            return;
        const QString path = savetxtdlg->selectedFiles().value(0);
        // The next export proposes this path, whether or not the file can be written.
        savetxtdlg->selectFile(path);
        writeWindowsLines(path, lines);
        m_dialogs->message(this, plainMessage(QStringLiteral("Die Daten wurden unter\r\n") +
                                              QDir::toNativeSeparators(path) +
                                              QStringLiteral("\r\nabgespeichert.")));
        const QStringList substituted = unrepresentablePaths(paths);
        if (!substituted.isEmpty())
            m_dialogs->message(this, plainMessage(substitutedPathsNote(substituted)));
    } catch (...) {
        m_dialogs->message(this, errorBox(exportFailed));
    }
}
