#include "window/tform1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTreeWidget>

void TForm1::setupKeyboard()
{
    QWidget *const order[] = {Button2,      zielverz,  Button1, box,      Edit1,
                              edit_ausschl, Edit2,     Edit3,   Edit4,    RadioButton1,
                              RadioButton2, CheckBox1, Button4, Button5,  Button3,
                              antlist,      Button6,   files,   vorschau, Button7};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    // Tab leaves the preview instead of inserting a tab character.
    vorschau->setTabChangesFocus(true);

    // Of the two search modes only the checked one is a stop of the Tab key; the arrow keys
    // move between them.
    const auto tabToCheckedMode = [this] {
        for (QRadioButton *mode : {RadioButton1, RadioButton2})
            mode->setFocusPolicy(mode->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    connect(RadioButton1, &QRadioButton::toggled, this, tabToCheckedMode);
    tabToCheckedMode();

    Button2->setFocus();
}

// Enter presses "Suche" and Escape presses "Stop" while they are visible. Controls that take
// these keys themselves (the preview, an open drop-down list) never pass them on.
void TForm1::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget())) {
            button->click();
            return;
        }
        if (Button3->isVisible()) {
            Button3->click();
            return;
        }
    } else if (key == Qt::Key_Escape && Button6->isVisible()) {
        Button6->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
