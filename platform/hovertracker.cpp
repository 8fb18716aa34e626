#include "hovertracker.h"

#include <QCursor>
#include <QMouseEvent>
#include <QWidget>

HoverTracker::HoverTracker(QWidget *face, Mode mode)
    : QObject(face)
    , m_face(face)
    , m_mode(mode)
{
    face->setMouseTracking(true);
    // A face is a window of its own for the pointer: moves over it are not passed on to
    // a face it sits on (a close button on a tab).
    face->setAttribute(Qt::WA_NoMousePropagation);
    face->installEventFilter(this);
}

bool HoverTracker::isInside(QPointF position, const QWidget *face)
{
    return position.x() >= 0 && position.y() >= 0 && position.x() <= face->width() &&
           position.y() <= face->height();
}

void HoverTracker::stopTrackingWithin(QWidget *control)
{
    const QList<HoverTracker *> trackers = control->findChildren<HoverTracker *>();
    for (HoverTracker *tracker : trackers)
        tracker->setTracking(false);
}

void HoverTracker::setTracking(bool tracking)
{
    m_tracking = tracking;
    if (!tracking)
        m_holdsPointer = false;
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
        case QEvent::Leave:
            leave(m_face->mapFromGlobal(QCursor::pos()));
            break;
        case QEvent::ActivationChange:
            if (!m_face->isActiveWindow())
                letGo();
            break;
        case QEvent::Hide:
        case QEvent::EnabledChange:
        case QEvent::ParentChange:
            letGo();
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
        // While a button is held the window system keeps sending the face the moves;
        // only the first one outside is the face's.
        leave(event->position());
        return;
    }
    m_holdsPointer = true;
    const bool pressedLook = m_mode != Mode::Highlight && event->buttons() == Qt::LeftButton;
    Q_EMIT lookWanted(pressedLook ? Look::Pressed : Look::Hover);
    Q_EMIT movedInside(event->position());
}

void HoverTracker::leave(QPointF position)
{
    if (!m_holdsPointer)
        return;
    m_holdsPointer = false;
    Q_EMIT lookWanted(Look::Normal);
    Q_EMIT movedOutside(position);
}

void HoverTracker::letGo()
{
    if (!m_holdsPointer)
        return;
    m_holdsPointer = false;
    Q_EMIT lookWanted(Look::Normal);
}

void HoverTracker::onPress(const QMouseEvent *event)
{
    // A press holds the pointer until it is let go or the pointer leaves.
    m_holdsPointer = m_tracking && isInside(event->position(), m_face);
    if (event->button() == Qt::LeftButton && changesLookOnButtons())
        Q_EMIT lookWanted(Look::Pressed);
    Q_EMIT pressed(event->button(), event->position(), event->modifiers());
}

void HoverTracker::onRelease(const QMouseEvent *event)
{
    const bool inside = isInside(event->position(), m_face);
    // After the pointer has left, a release belongs to whatever is under the pointer.
    if (!inside && !m_holdsPointer)
        return;
    Q_EMIT released(event->button(), event->modifiers(), inside);
    if (event->button() != Qt::LeftButton)
        return;
    m_holdsPointer = m_tracking && inside;
    if (changesLookOnButtons())
        Q_EMIT lookWanted(Look::Normal);
    if (inside)
        Q_EMIT clicked();
}
