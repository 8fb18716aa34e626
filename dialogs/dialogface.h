#pragma once

#include <QPointF>
#include <QtGlobal>
#include <QSizeF>

class QColor;
class QLabel;
class QWidget;

// What Quillet's dialogs look like alike: a white client area of a fixed `size` and the
// application logo, the child Image1, with its top-left corner at `logoAt` (twips).
void layDialogFace(QWidget *dialog, QSizeF size, QPointF logoAt);

void setTextColor(QLabel *label, const QColor &color);

// A dialog with no owner: a window of the desktop's own, with a title and a close box
// only. Unlike a tool window it counts as one of the program's windows, so an open one
// keeps the program running after the main window has closed.
inline constexpr Qt::WindowFlags UnownedDialogFlags = Qt::Window | Qt::CustomizeWindowHint |
                                                      Qt::WindowTitleHint |
                                                      Qt::WindowCloseButtonHint;
