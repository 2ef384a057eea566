#include "scripteddialogs.h"

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>

namespace {

template <typename T> T takeFront(std::deque<T> &queue, T fallback)
{
    if (!queue.empty()) {
        fallback = std::move(queue.front());
        queue.pop_front();
    }
    return fallback;
}

// Goes on until the step that the test chose for the user's cancel.
class ScriptedProgress : public Progress
{
public:
    explicit ScriptedProgress(int cancelAt) : m_cancelAt(cancelAt) {}
    bool goOn(const QString & /*state*/) override { return ++m_steps != m_cancelAt; }

private:
    int m_cancelAt;
    int m_steps = 0;
};

} // namespace

int ScriptedDialogs::message(QWidget * /*parent*/, const MessageRequest &request)
{
    m_shown.push_back(request);
    if (m_onShow)
        m_onShow(request);
    return takeFront(m_answers, request.buttons.isEmpty() ? -1 : 0);
}

QString ScriptedDialogs::chooseSourceDirectory(QWidget * /*parent*/, const NameCheck &acceptName,
                                               SourceDirectoryOptions *options)
{
    ++m_sourceDirectoryRequests;
    for (;;) {
        const SourceDirectoryAnswer answer = takeFront(m_sourceDirectories, {});
        if (answer.name.isEmpty())
            return answer.name;
        if (acceptName(answer.name)) {
            if (options) {
                options->subdirectories = answer.subdirectories;
                options->encoding = answer.encoding;
            }
            return answer.name;
        }
    }
}

QString ScriptedDialogs::chooseFolder(QWidget * /*parent*/, const QString &instruction)
{
    m_folderRequests.push_back(instruction);
    return takeFront(m_folders, QString());
}

std::optional<QString> ScriptedDialogs::inputText(QWidget * /*parent*/, const QString &caption,
                                                  const QString &prompt, const QString &defaultText)
{
    m_inputRequests.push_back({caption, prompt, defaultText});
    return takeFront(m_inputs, std::optional<QString>());
}

bool ScriptedDialogs::execFileDialog(QFileDialog *dialog)
{
    const QStringList selected = dialog->selectedFiles();
    m_fileDialogRequests.push_back({dialog->directory().absolutePath(), dialog->windowTitle(),
                                    selected.isEmpty() ? QString() : selected.front()});
    // Each queued path is typed and confirmed in the same dialog until the dialog accepts one.
    for (;;) {
        const std::optional<QString> path = takeFront(m_files, std::optional<QString>());
        if (!path)
            return false;
        // Typed into the name field, as a user would; selectFile would first move the dialog
        // to the file's directory, which may not exist.
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(*path);
        else
            dialog->selectFile(*path);
        dialog->setResult(QDialog::Rejected);
        // The press on the dialog's own button.
        static_cast<QDialog *>(dialog)->accept();
        if (dialog->result() == QDialog::Accepted)
            return true;
    }
}

QAction *ScriptedDialogs::popupMenu(QMenu *menu, const QPoint &pos)
{
    m_popups.push_back({menu, pos});
    const QString name = takeFront(m_popupChoices, QString());
    if (name.isEmpty())
        return nullptr;
    // Submenus are children of their menu, so their actions are found too; an action need not be
    // a child of the menu it is shown in.
    auto *action = menu->findChild<QAction *>(name);
    for (QAction *shown : menu->actions()) {
        if (!action && shown->objectName() == name)
            action = shown;
    }
    if (action)
        action->trigger();
    return action;
}

QStringList ScriptedDialogs::takeErrors()
{
    QStringList errors;
    for (const MessageRequest &box : m_shown) {
        if (box.icon == MessageIcon::Error)
            errors << box.text;
    }
    m_shown.clear();
    return errors;
}

std::unique_ptr<Progress> ScriptedDialogs::showProgress(QWidget * /*parent*/,
                                                        const QString & /*caption*/)
{
    return std::make_unique<ScriptedProgress>(m_cancelProgressAt);
}
