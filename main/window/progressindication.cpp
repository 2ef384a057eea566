#include "window/qtdialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>

namespace {

// Work that ends sooner passes without a dialog that flashes up and vanishes.
constexpr qint64 showAfterMs = 500;
// Laying the label out anew for each of thousands of quick steps would cost more than the steps.
constexpr qint64 refreshAfterMs = 100;

// A busy bar, since the amount of work is not known beforehand, and the label with the state.
class ProgressIndication : public Progress
{
public:
    ProgressIndication(QWidget *parent, const QString &caption)
        : m_parent(parent), m_caption(caption)
    {
        m_started.start();
    }
    ~ProgressIndication() override { delete m_dialog; }
    ProgressIndication(const ProgressIndication &) = delete;
    ProgressIndication &operator=(const ProgressIndication &) = delete;

    bool goOn(const QString &state) override
    {
        if (!m_dialog && m_started.hasExpired(showAfterMs))
            open(state);
        if (!m_dialog) {
            // Until the dialog blocks the window, a click must not start another command in the
            // midst of this one; it waits for its turn.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            return true;
        }
        if (m_refreshed.hasExpired(refreshAfterMs)) {
            m_dialog->setLabelText(state);
            m_refreshed.start();
        }
        QCoreApplication::processEvents();
        return !m_dialog->wasCanceled();
    }

private:
    void open(const QString &state)
    {
        m_dialog = new QProgressDialog(state, QStringLiteral("Abbrechen"), 0, 0, m_parent);
        m_dialog->setWindowTitle(m_caption);
        // Wide enough for its caption and for most paths, so that it does not jump with them.
        m_dialog->setMinimumWidth(420);
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->show();
        m_refreshed.start();
    }

    QPointer<QWidget> m_parent;
    QString m_caption;
    QElapsedTimer m_started;
    QElapsedTimer m_refreshed;
    // Gone with its parent, should the window close first.
    QPointer<QProgressDialog> m_dialog;
};

} // namespace

std::unique_ptr<Progress> QtDialogs::showProgress(QWidget *parent, const QString &caption)
{
    return std::make_unique<ProgressIndication>(parent, caption);
}
