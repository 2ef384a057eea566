#include "window/qtdialogs.h"

#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

int QtDialogs::message(QWidget *parent, const MessageRequest &request)
{
    QMessageBox box(toQtIcon(request.icon), request.caption, request.text, QMessageBox::NoButton,
                    parent);
    std::vector<QPushButton *> buttons;
    for (const QString &caption : request.buttons) {
        // The first button confirms; with two or more, the last one answers Escape and closing.
        const bool first = buttons.empty();
        buttons.push_back(
            box.addButton(caption, first ? QMessageBox::AcceptRole : QMessageBox::RejectRole));
    }
    if (!buttons.empty()) {
        box.setDefaultButton(buttons.front());
        box.setEscapeButton(buttons.back());
    }
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i])
            return static_cast<int>(i);
    }
    return -1;
}
