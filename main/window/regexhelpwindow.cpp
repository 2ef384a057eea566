#include "window/frame.h"
#include "window/helptexts.h"
#include "window/tform1.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

// The outer size of the window, its frame included, is 500 by 400 pixels.
void setOuterSize(QWidget *window, QSize outer)
{
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    window->setFixedSize(outer - frame);
}

QPlainTextEdit *createMemo(QWidget *window)
{
    auto *amemo = new QPlainTextEdit(window);
    amemo->setObjectName(QStringLiteral("amemo"));
    amemo->setReadOnly(true);
    amemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    amemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    amemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *fill = new QVBoxLayout(window);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(amemo);
    // Every line ends with a line break, so an empty line follows the last one.
    amemo->setPlainText(helptexts::regexLines().join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return amemo;
}

} // namespace

// Every click opens a further window; earlier ones stay open. The window belongs to the main
// window and goes with it; closing it only hides it.
void TForm1::Label6Click(QObject * /*Sender*/)
{
    auto *window =
        new QWidget(this, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    aform = window;
    window->setObjectName(QStringLiteral("aform"));
    window->setWindowTitle(helptexts::regexWindowCaption());
    setOuterSize(window, QSize(500, 400));
    centreOnScreen(window);
    window->show();
    // The frame is known only once the window is shown.
    setOuterSize(window, QSize(500, 400));
    centreOnScreen(window);
    createMemo(window);
}
