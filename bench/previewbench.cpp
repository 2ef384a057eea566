#include "previewbench.h"

#include "corpus.h"
#include "measure.h"
#include "table.h"
#include "window/tform1.h"
#include "windowdriver.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

struct MarkCount
{
    qint64 search = 0;
    qint64 weighting = 0;
    // Marked stretches that are not whole matches of their string.
    qint64 stray = 0;
};

// Counts the marked stretches of the shown document: search marks are red, weighting marks
// another colour, both underlined.
MarkCount countMarks(const QTextDocument *document)
{
    MarkCount count;
    const QString search = previewSearchString();
    const QString weighting = previewWeightingString();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().fontUnderline())
                continue;
            const bool red = fragment.charFormat().foreground().color() == QColor(255, 0, 0);
            const QString &word = red ? search : weighting;
            const QString text = fragment.text();
            const qint64 whole = text.count(word);
            (red ? count.search : count.weighting) += whole;
            if (whole * word.size() != text.size())
                ++count.stray;
        }
    }
    return count;
}

} // namespace

void benchPreview(WindowDriver &window, const QString &path, int repetitions)
{
    window.box()->clear();
    window.box()->addItem(path);
    window.setText("zielverz", path + QStringLiteral("-ziel"));
    window.setText("Edit1", previewSearchString());
    window.setText("Edit2", previewWeightingString());
    window.setText("edit_ausschl", QString());
    window.setChecked("RadioButton1", true);
    window.click("Button3");
    QTreeWidget *files = window.files();
    if (files->topLevelItemCount() == 1)
        files->setCurrentItem(files->topLevelItem(0));

    QTextEdit *vorschau = window.form().vorschau;
    const double seconds = medianSeconds(repetitions, [&] {
        window.form().filesClick(files);
        // What the user waits for includes the first layout and paint of the new text.
        QCoreApplication::processEvents();
    });
    const MarkCount marks = countMarks(vorschau->document());
    const bool right = marks.search == previewSearchHits() &&
                       marks.weighting == previewWeightingHits() && marks.stray == 0;
    const qint64 bytes = QFileInfo(path).size();
    TableRow row(QStringLiteral("view"),
                 QStringLiteral("preview of %1 MB").arg(bytes / 1e6, 0, 'f', 1), seconds, 1, bytes);
    const QStringList errors = window.dialogs().takeErrors();
    row.notes = QStringLiteral("%1%2 search and %3 weighting marks")
                    .arg(right ? QString() : QStringLiteral("WRONG: "))
                    .arg(marks.search)
                    .arg(marks.weighting);
    if (!errors.isEmpty()) {
        row.seconds = 0.0;
        row.notes = QStringLiteral("FAILED: ") + errors.front();
    }
    printTableRow(row);
    files->clear();
}
