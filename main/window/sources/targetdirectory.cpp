#include "files/targetcreation.h"
#include "window/dialogs.h"
#include "window/tform1.h"

#include <QLineEdit>
#include <QTreeWidget>

namespace {

const QString noRows =
    QStringLiteral("Kein Ergebnisdateien zum exportieren. Führen Sie zunächst eine Suche durch.");

} // namespace

bool TForm1::prepareTargetDirectory()
{
    // A second output into a target directory would start while the first one still copies.
    if (refuseWhileSaving())
        return false;
    if (files->topLevelItemCount() == 0) {
        m_dialogs->message(this, errorBox(noRows));
        return false;
    }
    if (const auto refusal = createTargetDirectory(zielverz->text())) {
        m_dialogs->message(this, errorBox(refusal->reason));
        return false;
    }
    return true;
}
