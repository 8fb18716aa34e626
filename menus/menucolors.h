#pragma once

#include <QColor>

// The colours the pop-up menus and the menu-bar buttons share: an open menu-bar button
// takes the menu's border and background, so the two read as one outline.
namespace MenuColors {

inline const QColor HoverOutline(49, 106, 197);
inline const QColor HoverFill(193, 210, 238);
inline const QColor Border(138, 134, 122);
inline const QColor Background(Qt::white);

} // namespace MenuColors
