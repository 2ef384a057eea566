#include "results/substitutedpaths.h"
#include "subcorpus/antconctemplates.h"
#include "subcorpus/subcorpuswriter.h"
#include "window/dialogs.h"
#include "window/results/checkedrows.h"
#include "window/tform1.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QTreeWidget>

void TForm1::Button5Click(QObject * /*Sender*/)
{
    if (!prepareTargetDirectory())
        return;
    bar2->setMaximum(100);
    const int version = antlist->currentIndex();
    if (!isAntconcVersion(version))
        return;
    const QStringList captions = checkedCaptions(files);
    bar2->setValue(100);
    const QString target = zielverz->text();
    QStringList substituted;
    try {
        substituted = writeSettingsFile(target, version, captions);
    } catch (...) {
        // The directory was made for this file alone.
        removeEmptyTarget(target);
        throw;
    }
    if (!substituted.isEmpty())
        m_dialogs->message(this, plainMessage(substitutedPathsNote(substituted)));
}
