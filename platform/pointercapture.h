#pragma once

class QWidget;

// Window-level pointer capture: while a widget holds it, every pointer report of the
// application goes to that widget, also when the pointer is outside it. A face that
// captures on each move over it therefore sees the first move after the pointer left.
namespace PointerCapture {

void capture(QWidget *widget);
// Ends the capture if `widget` holds it.
void release(QWidget *widget);
bool isCapturedBy(const QWidget *widget);

} // namespace PointerCapture
