#include "scripteddialogs.h"

int ScriptedDialogs::message(QWidget * /*parent*/, const MessageRequest &request)
{
    m_shown.push_back(request);
    if (m_onShow)
        m_onShow(request);
    if (m_answers.empty())
        return request.buttons.isEmpty() ? -1 : 0;
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}
