#include "autohide.h"

#include <QCursor>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

constexpr int Interval = 700;

} // namespace

AutoHide::AutoHide(QWidget *popup)
    : QObject(popup)
    , m_popup(popup)
    , m_timer(new QTimer(this))
    , m_pointerSource([] { return QCursor::pos(); })
{
    m_timer->setObjectName(QStringLiteral("autoHide"));
    m_timer->setInterval(Interval);
    connect(m_timer, &QTimer::timeout, this, &AutoHide::check);
    popup->installEventFilter(this);
}

void AutoHide::setPointerSource(std::function<QPoint()> source)
{
    m_pointerSource = std::move(source);
}

bool AutoHide::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_popup) {
        if (event->type() == QEvent::Show)
            m_timer->start();
        else if (event->type() == QEvent::Hide)
            m_timer->stop();
    }
    return QObject::eventFilter(watched, event);
}

void AutoHide::check()
{
    const QPoint pointer = m_pointerSource();
    const QRect window(m_popup->mapToGlobal(QPoint(0, 0)), m_popup->size());
    const bool inside = window.left() < pointer.x() &&
                        pointer.x() < window.left() + window.width() &&
                        window.top() < pointer.y() && pointer.y() < window.top() + window.height();
    if (!inside)
        Q_EMIT pointerOutside();
}
