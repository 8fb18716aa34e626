#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

// What a widget shows on screen, and whether a skin picture is what is drawn there.
namespace Screen {

inline QImage of(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// Every opaque point of `picture` is drawn at `at` in `shown`.
inline bool shows(const QImage &shown, QPoint at, const QImage &picture)
{
    const QImage expected = picture.convertToFormat(QImage::Format_ARGB32);
    if (!shown.rect().contains(QRect(at, expected.size())))
        return false;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb point = expected.pixel(x, y);
            if (qAlpha(point) == 255 && shown.pixel(at + QPoint(x, y)) != point)
                return false;
        }
    }
    return true;
}

// `widget`'s place on the screen of its ancestor `ancestor`.
inline QPoint placeIn(const QWidget *widget, const QWidget *ancestor)
{
    return widget->mapTo(ancestor, QPoint(0, 0));
}

} // namespace Screen
