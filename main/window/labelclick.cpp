#include "window/labelclick.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {

class LabelClickFilter : public QObject
{
public:
    LabelClickFilter(QLabel *label, std::function<void()> onClick)
        : QObject(label), m_onClick(std::move(onClick))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const auto *label = static_cast<QLabel *>(watched);
        if (mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint()))
            m_onClick();
        return false;
    }

private:
    std::function<void()> m_onClick;
};

} // namespace

void connectLabelClick(QLabel *label, std::function<void()> onClick)
{
    label->installEventFilter(new LabelClickFilter(label, std::move(onClick)));
}
