#include "budgetbench.h"

#include "eventgap.h"
#include "table.h"
#include "windowdriver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>

namespace {

constexpr qint64 kTableBytes = 1000 * 1000;

} // namespace

// A table of numbers with one "Euro" at its end: from every start position the pattern runs
// through the whole table before it fails, which no budget pays for.
QString budgetText(const QString &root)
{
    const QString path = root + QStringLiteral("/budget-table-1mb.txt");
    if (QFile::exists(path))
        return path;
    QDir().mkpath(root);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    const QByteArray line("4711 0815 1234 5678 9012 3456\r\n");
    QByteArray text;
    while (text.size() < kTableBytes)
        text += line;
    text += "Summe Euro\r\n";
    file.write(text);
    return path;
}

void benchBudget(WindowDriver &window, const QString &path)
{
    window.box()->clear();
    window.box()->addItem(path);
    window.setText("zielverz", path + QStringLiteral("-ziel"));
    window.setText("Edit1", QStringLiteral("(\\d|\\s)+Euro"));
    window.setText("Edit2", QString());
    window.setText("edit_ausschl", QString());
    window.setChecked("RadioButton1", true);
    EventGapProbe probe;
    QElapsedTimer timer;
    probe.start();
    timer.start();
    window.click("Button3");
    TableRow row(QStringLiteral("budget"), QStringLiteral("text over its budget"),
                 double(timer.nsecsElapsed()) / 1e9, 1, kTableBytes);
    const double gap = probe.stop();
    const QStringList errors = window.dialogs().takeErrors();
    row.notes = QStringLiteral("%1, gap %2 ms")
                    .arg(errors.size() == 1 && errors.front().contains(QStringLiteral("aufwendig"))
                             ? QStringLiteral("refused as expected")
                             : QStringLiteral("WRONG: not refused"))
                    .arg(gap, 0, 'f', 1);
    printTableRow(row);
}
