#include "hovertracker.h"

#include "pointercapture.h"

#include <QMouseEvent>
#include <QWidget>

HoverTracker::HoverTracker(QWidget *face)
    : QObject(face)
    , m_face(face)
{
    face->setMouseTracking(true);
    // A face is a window of its own for the pointer: moves over it are not passed on to
    // a face it sits on (a close button on a tab), which would take the capture away.
    face->setAttribute(Qt::WA_NoMousePropagation);
    face->installEventFilter(this);
}

bool HoverTracker::isInside(QPointF position, const QWidget *face)
{
    return position.x() >= 0 && position.y() >= 0 && position.x() <= face->width() &&
           position.y() <= face->height();
}

bool HoverTracker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_face) {
        switch (event->type()) {
        case QEvent::MouseMove:
            onMove(static_cast<QMouseEvent *>(event));
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            onPress(static_cast<QMouseEvent *>(event));
            break;
        case QEvent::MouseButtonRelease:
            onRelease(static_cast<QMouseEvent *>(event));
            break;
        case QEvent::Hide:
            onHide();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void HoverTracker::onMove(const QMouseEvent *event)
{
    if (!m_tracking)
        return;
    if (!isInside(event->position(), m_face)) {
        PointerCapture::release(m_face);
        Q_EMIT lookWanted(Look::Normal);
        return;
    }
    PointerCapture::capture(m_face);
    Q_EMIT lookWanted(event->buttons() == Qt::LeftButton ? pressedLook() : Look::Hover);
}

void HoverTracker::onHide()
{
    // A hidden face would keep every pointer report of the window to itself.
    if (!PointerCapture::isCapturedBy(m_face))
        return;
    PointerCapture::release(m_face);
    Q_EMIT lookWanted(Look::Normal);
}

void HoverTracker::onPress(const QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_buttonLooks)
        Q_EMIT lookWanted(pressedLook());
    Q_EMIT pressed(event->button(), event->position());
}

void HoverTracker::onRelease(const QMouseEvent *event)
{
    const bool inside = isInside(event->position(), m_face);
    Q_EMIT released(event->button(), event->modifiers(), inside);
    if (event->button() != Qt::LeftButton)
        return;
    if (m_buttonLooks)
        Q_EMIT lookWanted(Look::Normal);
    if (inside)
        Q_EMIT clicked();
}
