#include "selectonfocus.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>

void SelectOnFocus::watch(QLineEdit *box)
{
    box->installEventFilter(new SelectOnFocus(box));
}

SelectOnFocus::SelectOnFocus(QLineEdit *box)
    : QObject(box)
    , m_box(box)
{}

bool SelectOnFocus::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        m_box->selectAll();
        if (reason == Qt::MouseFocusReason) {
            // Qt moves the focus before it delivers the press, to this box or, for a
            // press on a widget that hands its focus on to the box, to that widget.
            // Either way the delivery is over once the event loop runs again.
            m_focusedByPress = true;
            QMetaObject::invokeMethod(
                this, [this] { m_focusedByPress = false; }, Qt::QueuedConnection);
        }
        break;
    }
    case QEvent::FocusOut:
        m_selectOnRelease = false;
        break;
    case QEvent::MouseButtonPress:
        m_selectOnRelease =
            m_focusedByPress && static_cast<const QMouseEvent *>(event)->button() == Qt::LeftButton;
        m_focusedByPress = false;
        break;
    case QEvent::MouseButtonRelease:
        if (m_selectOnRelease &&
            static_cast<const QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_selectOnRelease = false;
            if (!m_box->hasSelectedText())
                m_box->selectAll();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
