#pragma once

#include <QColor>

// The colours the pop-up menus and the menu-bar buttons share: an open menu-bar button
// takes the menu's border and background, so the two read as one outline.
namespace MenuColors {

inline const QColor HoverOutline(49, 106, 197);
inline const QColor HoverFill(193, 210, 238);
inline const QColor Border(138, 134, 122);
inline const QColor Background(Qt::white);

// The main-menu panel: its grey-blue ground, shared by the sub-panels and the option
// buttons, and the dark blue of its texts.
inline const QColor PanelBackground(233, 234, 238);
inline const QColor PanelText(0, 21, 110);

} // namespace MenuColors
