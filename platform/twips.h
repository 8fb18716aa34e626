#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Lengths at the controls' interfaces are twips (1440 per inch). Qt lays out in
// device-independent pixels, which stand for 1/96 inch, so one pixel is 15 twips
// whatever the screen's real density. This is the one place that converts.
namespace Twips {

inline constexpr int PerPixel = 15;

int toPixels(double twips);
double fromPixels(double pixels);

QPoint toPixels(double left, double top);
QSize toPixels(QSizeF twipsSize);
QRect toPixels(double left, double top, double width, double height);
QRect toPixels(const QRectF &twips);

// The whole pixels a length spans, dropping a part pixel: a window region is measured so.
QSize toWholePixels(QSizeF twipsSize);

QSizeF fromPixels(QSize pixels);
QRectF fromPixels(const QRect &pixels);

} // namespace Twips
