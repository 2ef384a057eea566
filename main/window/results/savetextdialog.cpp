#include "window/results/savetextdialog.h"

#include "window/dialogs.h"
#include "window/tform1.h"

#include <QDir>
#include <QFileInfo>

SaveTextDialog::SaveTextDialog(Dialogs &dialogs, QWidget *parent)
    : QFileDialog(parent), m_dialogs(dialogs)
{
}

void SaveTextDialog::accept()
{
    const QString chosen = selectedFiles().value(0);
    const QFileInfo file(chosen);
    if (!chosen.isEmpty() && !file.isDir() && !file.absoluteDir().exists()) {
        m_dialogs.message(this,
                          {windowTitle(),
                           QStringLiteral("%1\nDer Pfad existiert nicht.\nÜberprüfen Sie, ob der "
                                          "richtige Pfad angegeben wurde.")
                               .arg(QDir::toNativeSeparators(file.absolutePath())),
                           MessageIcon::Error,
                           {QStringLiteral("OK")}});
        return;
    }
    QFileDialog::accept();
}

QFileDialog *TForm1::createSaveTextDialog()
{
    return new SaveTextDialog(*m_dialogs, this);
}
