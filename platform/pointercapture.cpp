#include "pointercapture.h"

#include <QWidget>

namespace PointerCapture {

void capture(QWidget *widget)
{
    if (widget->isVisible() && QWidget::mouseGrabber() != widget)
        widget->grabMouse();
}

void release(QWidget *widget)
{
    if (QWidget::mouseGrabber() == widget)
        widget->releaseMouse();
}

bool isCapturedBy(const QWidget *widget)
{
    return QWidget::mouseGrabber() == widget;
}

} // namespace PointerCapture
