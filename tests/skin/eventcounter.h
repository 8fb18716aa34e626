#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>

// Counts the events of one type a widget receives.
class EventCounter final : public QObject
{
public:
    EventCounter(QWidget *widget, QEvent::Type type)
        : QObject(widget)
        , m_type(type)
    {
        widget->installEventFilter(this);
    }

    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type)
            ++count;
        return false;
    }

private:
    QEvent::Type m_type;
};
