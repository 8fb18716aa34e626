#pragma once

#include <QRectF>

class QWidget;

// The exact twips a host gave a widget. Lengths that are no whole number of pixels stay
// apart (8299 and 8300 twips are both 553 pixels); once the widget's pixel geometry is
// changed some other way, its twips are read back from the pixels.
class TwipsGeometry final
{
public:
    explicit TwipsGeometry(QWidget *widget);

    // Places the widget. Returns whether its size in twips changed.
    bool set(const QRectF &twips);
    QRectF get() const;

private:
    QWidget *m_widget;
    QRectF m_twips;
};
