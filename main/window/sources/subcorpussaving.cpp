#include "errors/fullstop.h"
#include "files/targetcreation.h"
#include "subcorpus/protocolfile.h"
#include "subcorpus/subcorpuswriter.h"
#include "window/dialogs.h"
#include "window/sources/copyfileex.h"
#include "window/sources/itempaths.h"
#include "window/sources/windowprotocol.h"
#include "window/tform1.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QScopedValueRollback>
#include <QTreeWidget>

void TForm1::Button4Click(QObject * /*Sender*/)
{
    saveCheckedTexts(nullptr);
}

void TForm1::GefundeneTextemitProtokollabspeichern1Click(QObject * /*Sender*/)
{
    QList<ProtocolText> copied;
    const std::optional<QString> created = saveCheckedTexts(&copied);
    if (!created)
        return;
    if (const auto failure = writeProtocolFile(*created, windowProtocol(*this, copied)))
        m_dialogs->message(this, errorBox(withFullStop(failure->reason)));
}

std::optional<QString> TForm1::saveCheckedTexts(QList<ProtocolText> *copied)
{
    if (!prepareTargetDirectory())
        return std::nullopt;
    const QString created = canonicalTarget(zielverz->text());
    // The window stays usable during the loop; while the flag is up, the commands that would
    // change the rows under it are refused.
    const QScopedValueRollback<bool> saving(m_saving, true);
    const int n = files->topLevelItemCount();
    bar2->setMaximum(n);
    bar2->setValue(0);
    for (int i = 0; i < n; ++i) {
        const QTreeWidgetItem *row = files->topLevelItem(i);
        if (row->checkState(0) == Qt::Checked) {
            const QString caption = rowPath(row);
            // Read anew for every copy: an edit during saving sends the remaining copies there.
            const QString target = zielverz->text();
            // The copies go into the directory that this save created, or to a path where no
            // directory is (the copy then reports what is missing).
            if (const auto refusal = existingTargetRefusal(target, created)) {
                m_dialogs->message(this, errorBox(refusal->reason));
                return std::nullopt;
            }
            const QString dest = textDestination(target, caption);
            const CopyOutcome outcome = copyFileAsked(*m_dialogs, this, caption, dest, false);
            if (outcome == CopyOutcome::StopCopying) {
                removeEmptyTarget(created);
                return std::nullopt;
            }
            if (outcome == CopyOutcome::Copied && copied)
                *copied << protocolText(row);
        }
        bar2->setValue(i + 1);
        if (i % 2 == 1) {
            QCoreApplication::processEvents();
            // Each file is copied whole or not at all before events run, so none is left half.
            if (m_closing)
                return std::nullopt;
        }
    }
    return created;
}
