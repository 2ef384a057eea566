#include "rowbench.h"

#include "measure.h"
#include "table.h"
#include "textgenerator.h"
#include "window/search/filelisteadd.h"
#include "window/tform1.h"
#include "windowdriver.h"

#include <QCoreApplication>
#include <QFile>
#include <QListWidget>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

// Result rows for every path, in a shuffled order and with made-up but repeatable numbers,
// appended through the routine the search uses.
void fillRows(WindowDriver &window, const QStringList &paths)
{
    window.files()->clear();
    std::vector<int> order(size_t(paths.size()));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    Random random(42);
    for (size_t i = order.size(); i > 1; --i)
        std::swap(order[i - 1], order[random.below(i)]);
    window.setText("Edit3", QStringLiteral("1"));
    window.setText("Edit4", QStringLiteral("0,5"));
    for (int i : order) {
        const qint32 f = 1 + qint32(random.below(200));
        const qint32 fB = qint32(random.below(50));
        filelisteAdd(paths[i], f, f * 100.0 / double(1500 + random.below(1000)), fB);
    }
}

// Puts the rows into a new random order without touching them otherwise.
void shuffleRows(QTreeWidget *files, std::uint64_t seed)
{
    QList<QTreeWidgetItem *> rows = files->invisibleRootItem()->takeChildren();
    Random random(seed);
    for (qsizetype i = rows.size(); i > 1; --i)
        std::swap(rows[i - 1], rows[qsizetype(random.below(std::uint64_t(i)))]);
    files->addTopLevelItems(rows);
}

void report(WindowDriver &window, const QString &measurement, double seconds, qint64 items,
            QString notes)
{
    const QStringList errors = window.dialogs().takeErrors();
    TableRow row(QStringLiteral("rows"), measurement, seconds, items);
    row.notes = errors.isEmpty() ? notes : QStringLiteral("FAILED: ") + errors.front();
    if (!errors.isEmpty())
        row.seconds = 0.0;
    printTableRow(row);
}

qint64 lineCount(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') : -1;
}

QString expectation(bool met, const QString &what)
{
    return (met ? QString() : QStringLiteral("WRONG: ")) + what;
}

} // namespace

void benchRows(WindowDriver &window, const Corpus &corpus, const QString &workDirectory,
               int repetitions)
{
    const qint64 n = corpus.paths.size();
    double seconds = medianSeconds(
        repetitions, [&] { window.chooseSources(corpus.directory); },
        [&] { window.box()->clear(); });
    report(window, QStringLiteral("add %1 paths (Button2)").arg(n), seconds, n,
           expectation(window.box()->count() == n,
                       QStringLiteral("%1 sources").arg(window.box()->count())));

    fillRows(window, corpus.paths);
    const QStringList headers = {QStringLiteral("File"), QStringLiteral("f"), QStringLiteral("%"),
                                 QStringLiteral("fB"), QStringLiteral("G")};
    for (int column = 0; column < 5; ++column) {
        std::uint64_t seed = 1;
        seconds = medianSeconds(
            repetitions, [&] { window.clickHeader(column); },
            [&] { shuffleRows(window.files(), seed++); });
        report(window, QStringLiteral("sort %1 rows by %2").arg(n).arg(headers[column]), seconds, n,
               expectation(window.files()->topLevelItemCount() == n,
                           QStringLiteral("%1 rows").arg(window.files()->topLevelItemCount())));
    }

    // Half of the f values lie above the median.
    const auto checkAboveMedian = [&] {
        window.dialogs().answerInput(QStringLiteral("100"));
        window.trigger("AllemitfgreralsXauswhlen1");
    };
    seconds = medianSeconds(
        repetitions, [&] { window.trigger("AllemitfgreralsXauswhlen1"); },
        [&] {
            window.trigger("Allesauswhlen1");
            window.dialogs().answerInput(QStringLiteral("100"));
        });
    const int checked = window.checkedRows();
    report(window, QStringLiteral("check %1 rows by f > 100").arg(n), seconds, n,
           expectation(checked > n / 3 && checked < 2 * n / 3,
                       QStringLiteral("%1 checked").arg(checked)));

    seconds = medianSeconds(
        repetitions, [&] { window.trigger("NichtausgewhlteItemslschen1"); },
        [&] {
            fillRows(window, corpus.paths);
            checkAboveMedian();
        });
    const int kept = window.files()->topLevelItemCount();
    report(window, QStringLiteral("delete the unchecked half of %1 rows").arg(n), seconds, n,
           expectation(kept == checked, QStringLiteral("%1 rows kept").arg(kept)));

    fillRows(window, corpus.paths);
    const QString exportPath = workDirectory + QStringLiteral("/export.txt");
    seconds = medianSeconds(
        repetitions, [&] { window.trigger("Exportieren1"); },
        [&] {
            QFile::remove(exportPath);
            window.dialogs().answerFileDialog(exportPath);
        });
    report(window, QStringLiteral("export %1 checked rows").arg(n), seconds, n,
           expectation(lineCount(exportPath) == n,
                       QStringLiteral("%1 lines written").arg(lineCount(exportPath))));

    seconds = medianSeconds(
        repetitions, [&] { window.click("Button7"); },
        [&] {
            window.box()->clear();
            window.dialogs().answerPopup(QStringLiteral("extealsneueQuelle1"));
        });
    report(window, QStringLiteral("Texte als neue Quelle, %1 checked").arg(n), seconds, n,
           expectation(window.box()->count() == n,
                       QStringLiteral("%1 sources").arg(window.box()->count())));
    window.files()->clear();
}
