#pragma once

#include <QString>

class QWidget;

// Tells the user that something failed, in a warning box over `parent`'s window. The
// box does not block: the caller's work goes on while it is shown.
void warnUser(QWidget *parent, const QString &title, const QString &text);
