#include "files/textfilewriter.h"
#include "results/substitutedpaths.h"
#include "subcorpus/antconcsettings.h"
#include "subcorpus/antconctemplates.h"
#include "window/dialogs.h"
#include "window/results/checkedrows.h"
#include "window/tform1.h"

#include <QComboBox>
#include <QDir>
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
    const QStringList lines = antconcSettingsLines(version, captions);
    bar2->setValue(100);
    const QString target = zielverz->text();
    try {
        writeWindowsLines(target + QDir::separator() + antconcFileName(version), lines);
    } catch (...) {
        // The directory was made for this file alone; left empty, it would only refuse the next
        // try as existing already.
        QDir().rmdir(target);
        throw;
    }
    const QStringList substituted = unrepresentablePaths(captions);
    if (!substituted.isEmpty())
        m_dialogs->message(this, plainMessage(substitutedPathsNote(substituted)));
}
