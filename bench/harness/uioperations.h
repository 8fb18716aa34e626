#pragma once

#include <QString>

class QWidget;
class WBControl;

// UI-thread cost of the tab operations at `openTabs` open tabs (slot 0 included):
// NewWindow with Blank true into a new slot and into a reused one, a selection by a
// left press on a tab face, CloseTab of the leftmost extra tab (every face to its right
// moves) and of the selected, rightmost one (a close button's click on a new tab). Prints "result
// uiops.<label>.<operation> <milliseconds>", the median thread CPU time of each.
void measureUiOperations(WBControl *control, int openTabs, const QString &label);

// 10,000 pointer moves over `face`, in runs of 50 inside and 50 outside. Prints the
// time per move and the repaints of the face against its changes of look.
void measureHover(QWidget *face, const QString &label);
