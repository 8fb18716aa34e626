#pragma once

#include <QPointF>

class QWidget;

// Moves the top-level `window` so that its frame's top-left corner is at `topLeft`
// (twips, in the coordinates of the desktop), then pulls it back inside the available
// area of the screen `against` is on, so that a main window moved off the screen or
// shrunk to nothing never leaves a dialog out of reach.
void placeAgainst(QWidget *window, QPointF topLeft, const QWidget *against);
