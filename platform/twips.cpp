#include "twips.h"

#include <cmath>

namespace Twips {

int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / PerPixel));
}

double fromPixels(double pixels)
{
    return pixels * PerPixel;
}

QPoint toPixels(double left, double top)
{
    return {toPixels(left), toPixels(top)};
}

QSize toPixels(QSizeF twipsSize)
{
    return {toPixels(twipsSize.width()), toPixels(twipsSize.height())};
}

QRect toPixels(double left, double top, double width, double height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

QRect toPixels(const QRectF &twips)
{
    return toPixels(twips.left(), twips.top(), twips.width(), twips.height());
}

QSize toWholePixels(QSizeF twipsSize)
{
    return {static_cast<int>(twipsSize.width()) / PerPixel,
            static_cast<int>(twipsSize.height()) / PerPixel};
}

QSizeF fromPixels(QSize pixels)
{
    return {fromPixels(pixels.width()), fromPixels(pixels.height())};
}

QRectF fromPixels(const QRect &pixels)
{
    return {fromPixels(pixels.x()), fromPixels(pixels.y()), fromPixels(pixels.width()),
            fromPixels(pixels.height())};
}

} // namespace Twips
