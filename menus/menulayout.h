#pragma once

#include "twips.h"

#include <QWidget>

// Placing and showing the elements the menus draw themselves from.
namespace MenuLayout {

inline void place(QWidget *widget, double left, double top, double width, double height)
{
    widget->setGeometry(Twips::toPixels(left, top, width, height));
}

// Pointer moves arrive many times a second: a visibility is written only when it changes.
inline void setShown(QWidget *widget, bool shown)
{
    if (widget->isHidden() == shown)
        widget->setVisible(shown);
}

} // namespace MenuLayout
