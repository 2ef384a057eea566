#pragma once

#include "window/dialogs.h"

#include <QPoint>
#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QMenu;

// Answers the window's dialogs as a test scripts them and records what would have been shown.
class ScriptedDialogs : public Dialogs
{
public:
    struct InputRequest
    {
        QString caption;
        QString prompt;
        QString defaultText;
    };
    struct Popup
    {
        QMenu *menu;
        QPoint pos;
    };

    // Queues the index of the button that the next unanswered box presses.
    void answer(int buttonIndex) { m_answers.push_back(buttonIndex); }
    // Called while a box is "open", before it is answered.
    void onShow(std::function<void(const MessageRequest &)> callback)
    {
        m_onShow = std::move(callback);
    }

    // Queue what the next chooser, browser, input box or file dialog returns; an empty text or
    // nothing stands for a cancelled dialog.
    void answerSourceDirectory(const QString &path,
                               SourceEncoding encoding = SourceEncoding::Windows1252,
                               bool subdirectories = false)
    {
        m_sourceDirectories.push_back({path, subdirectories, encoding});
    }
    void answerSourceDirectory(const QString &path, bool subdirectories)
    {
        answerSourceDirectory(path, SourceEncoding::Windows1252, subdirectories);
    }
    void answerFolder(const QString &path) { m_folders.push_back(path); }
    void answerInput(std::optional<QString> text) { m_inputs.push_back(std::move(text)); }
    // A file dialog takes the queued paths in turn, as typed and confirmed by the user, until it
    // accepts one; nothing, or none left, cancels it.
    void answerFileDialog(std::optional<QString> path) { m_files.push_back(std::move(path)); }
    // The next popup menu triggers the action with this objectName; unanswered popups close
    // without a choice.
    void answerPopup(const QString &actionName) { m_popupChoices.push_back(actionName); }
    // Every progress indication from now on is cancelled at its step-th step (from 1); 0 never.
    void cancelProgressAt(int step) { m_cancelProgressAt = step; }

    const std::vector<MessageRequest> &shown() const { return m_shown; }
    void clearShown() { m_shown.clear(); }
    // The texts of the error boxes shown since the last call; forgets every box shown.
    QStringList takeErrors();
    int sourceDirectoryRequests() const { return m_sourceDirectoryRequests; }
    const std::vector<QString> &folderRequests() const { return m_folderRequests; }
    const std::vector<InputRequest> &inputRequests() const { return m_inputRequests; }
    // The directory, title and proposed file of every file dialog run, at the moment it opened.
    const std::vector<QStringList> &fileDialogRequests() const { return m_fileDialogRequests; }
    const std::vector<Popup> &popups() const { return m_popups; }

    // Boxes without a queued answer press their first button.
    int message(QWidget *parent, const MessageRequest &request) override;
    // The queued names are confirmed one after the other in the same chooser until acceptName
    // takes one; an empty name, or none left, cancels it.
    // The encoding and subdirectories queued with the accepted name are the ones chosen.
    QString chooseSourceDirectory(QWidget *parent, const NameCheck &acceptName,
                                  SourceDirectoryOptions *options = nullptr) override;
    QString chooseFolder(QWidget *parent, const QString &instruction) override;
    std::optional<QString> inputText(QWidget *parent, const QString &caption, const QString &prompt,
                                     const QString &defaultText) override;
    bool execFileDialog(QFileDialog *dialog) override;
    QAction *popupMenu(QMenu *menu, const QPoint &pos) override;
    std::unique_ptr<Progress> showProgress(QWidget *parent, const QString &caption) override;

private:
    struct SourceDirectoryAnswer
    {
        QString name;
        bool subdirectories = false;
        SourceEncoding encoding = SourceEncoding::Windows1252;
    };

    std::vector<MessageRequest> m_shown;
    std::deque<int> m_answers;
    std::function<void(const MessageRequest &)> m_onShow;
    std::deque<SourceDirectoryAnswer> m_sourceDirectories;
    std::deque<QString> m_folders;
    std::deque<std::optional<QString>> m_inputs;
    std::deque<std::optional<QString>> m_files;
    std::deque<QString> m_popupChoices;
    int m_sourceDirectoryRequests = 0;
    int m_cancelProgressAt = 0;
    std::vector<QString> m_folderRequests;
    std::vector<InputRequest> m_inputRequests;
    std::vector<QStringList> m_fileDialogRequests;
    std::vector<Popup> m_popups;
};
