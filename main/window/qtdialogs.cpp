#include "window/qtdialogs.h"

#include "text/breakabletext.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
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
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// How wide a window must be for a window manager to show title whole: the title in a bold version
// of the system's title font, as title bars usually draw it, beside the frame's icon and buttons.
int widthForTitle(const QString &title)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    constexpr int iconAndButtons = 120;
    return QFontMetrics(font).horizontalAdvance(title) + iconAndButtons;
}

} // namespace

int QtDialogs::message(QWidget *parent, const MessageRequest &request)
{
    QMessageBox box(toQtIcon(request.icon), request.caption,
                    withWrapPlacesInLongWords(request.text), QMessageBox::NoButton, parent);
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

QString QtDialogs::chooseFolder(QWidget *parent, const QString &instruction)
{
    return QFileDialog::getExistingDirectory(parent, instruction, QString(),
                                             QFileDialog::ShowDirsOnly |
                                                 QFileDialog::DontUseNativeDialog);
}

std::optional<QString> QtDialogs::inputText(QWidget *parent, const QString &caption,
                                            const QString &prompt, const QString &defaultText)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    // The dialog takes its width from its layout, which in turn follows the prompt.
    if (auto *promptLabel = dialog.findChild<QLabel *>())
        promptLabel->setMinimumWidth(widthForTitle(caption));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

bool QtDialogs::execFileDialog(QFileDialog *dialog)
{
    return dialog->exec() == QDialog::Accepted;
}

QAction *QtDialogs::popupMenu(QMenu *menu, const QPoint &pos)
{
    return menu->exec(pos);
}
