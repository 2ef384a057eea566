#pragma once

#include <QWidget>

// Suspends a widget's display updates while it lives, so that a list filled with many items is
// redrawn once at the end, also when the filling ends early.
class UpdatesSuspended
{
public:
    explicit UpdatesSuspended(QWidget *widget) : m_widget(widget)
    {
        m_widget->setUpdatesEnabled(false);
    }
    ~UpdatesSuspended() { m_widget->setUpdatesEnabled(true); }
    UpdatesSuspended(const UpdatesSuspended &) = delete;
    UpdatesSuspended &operator=(const UpdatesSuspended &) = delete;

private:
    QWidget *m_widget;
};
