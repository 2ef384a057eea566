#include "window/frame.h"

#include "window/tform1.h"

#include <QGuiApplication>
#include <QScreen>

// A fixed-size window with only a close button, on the button-face colour, centred on the
// screen. It stays an ordinary top-level window, so it keeps its task-bar entry.
void TForm1::setupFrame()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(978, 600);
    QPalette background = palette();
    background.setColor(QPalette::Window, background.color(QPalette::Button));
    setPalette(background);
    setAutoFillBackground(true);
    centreOnScreen(this);
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}
