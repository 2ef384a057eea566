#pragma once

#include "window/dialogs.h"

#include <deque>
#include <functional>
#include <vector>

// Answers the window's dialogs as a test scripts them and records what would have been shown.
class ScriptedDialogs : public Dialogs
{
public:
    // Queues the index of the button that the next unanswered box presses.
    void answer(int buttonIndex) { m_answers.push_back(buttonIndex); }
    // Called while a box is "open", before it is answered.
    void onShow(std::function<void(const MessageRequest &)> callback)
    {
        m_onShow = std::move(callback);
    }

    const std::vector<MessageRequest> &shown() const { return m_shown; }
    void clearShown() { m_shown.clear(); }

    // Boxes without a queued answer press their first button.
    int message(QWidget *parent, const MessageRequest &request) override;

private:
    std::vector<MessageRequest> m_shown;
    std::deque<int> m_answers;
    std::function<void(const MessageRequest &)> m_onShow;
};
