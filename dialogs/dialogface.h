#pragma once

#include <QPointF>
#include <QSizeF>

class QColor;
class QLabel;
class QWidget;

// What Quillet's dialogs look like alike: a white client area of a fixed `size` and the
// application logo, the child Image1, with its top-left corner at `logoAt` (twips).
void layDialogFace(QWidget *dialog, QSizeF size, QPointF logoAt);

void setTextColor(QLabel *label, const QColor &color);
