#include "subcorpus/targetname.h"
#include "window/tform1.h"

#include <QDate>
#include <QLineEdit>

void TForm1::Button1Click(QObject * /*Sender*/)
{
    // A cancelled browser gives an empty folder; the proposal is written all the same.
    const QString folder = m_dialogs->chooseFolder(this, QStringLiteral("Ordner auswählen"));
    zielverz->setText(proposeTargetName(folder, QDate::currentDate()));
}
