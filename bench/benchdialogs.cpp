#include "benchdialogs.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>

int BenchDialogs::message(QWidget * /*parent*/, const MessageRequest &request)
{
    if (request.icon == MessageIcon::Error)
        m_errors << request.text;
    return request.buttons.isEmpty() ? -1 : 0;
}

QString BenchDialogs::chooseSourceDirectory(QWidget * /*parent*/)
{
    return sourceDirectory;
}

QString BenchDialogs::chooseFolder(QWidget * /*parent*/, const QString & /*instruction*/)
{
    return QString();
}

std::optional<QString> BenchDialogs::inputText(QWidget * /*parent*/, const QString & /*caption*/,
                                               const QString & /*prompt*/,
                                               const QString & /*defaultText*/)
{
    return inputAnswer;
}

bool BenchDialogs::execFileDialog(QFileDialog *dialog)
{
    dialog->selectFile(fileAnswer);
    return true;
}

QAction *BenchDialogs::popupMenu(QMenu *menu, const QPoint & /*pos*/)
{
    auto *action = menu->findChild<QAction *>(popupAction);
    if (!action) {
        // Actions need not be children of the menu they are shown in.
        for (QAction *candidate : menu->actions())
            if (candidate->objectName() == popupAction)
                action = candidate;
    }
    if (action)
        action->trigger();
    else
        m_errors << QStringLiteral("no action %1 in the menu").arg(popupAction);
    return action;
}

QStringList BenchDialogs::takeErrors()
{
    QStringList errors;
    errors.swap(m_errors);
    return errors;
}
