#include "window/frame.h"
#include "window/helptexts.h"
#include "window/tform1.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

const QSize outerSize(500, 400);

QSize frameOf(const QWidget *window)
{
    return window->frameGeometry().size() - window->geometry().size();
}

// Keeps the outer size of a window, its frame included. A window manager frames a window only
// some time after it is shown; until then the frame of the owner, drawn by the same manager,
// stands in, and the size is corrected once the window's own frame is known.
class OuterSize : public QObject
{
public:
    OuterSize(QWidget *window, const QWidget *owner) : QObject(window), m_window(window)
    {
        apply(frameOf(owner));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (watched == m_window && (type == QEvent::Move || type == QEvent::Show)) {
            const QSize frame = frameOf(m_window);
            // Once framed, the window is centred anew with its frame.
            if (!frame.isNull() && !m_framed) {
                m_framed = true;
                apply(frame);
                centreOnScreen(m_window);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void apply(QSize frame) { m_window->setFixedSize(outerSize - frame); }

    QWidget *m_window;
    bool m_framed = false;
};

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
    new OuterSize(window, this);
    centreOnScreen(window);
    window->show();
    createMemo(window);
}
