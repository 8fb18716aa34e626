#pragma once

#include "hovertracker.h"

#include <QObject>
#include <QPointF>

class SkinFace;

// The search button and the search-engine selector at its right, lit together so
// that they read as one button with a drop part. The button acts on a left release
// inside; the selector acts at once on a left press and keeps its pressed look until
// the pointer next moves.
class SearchPair final : public QObject
{
    Q_OBJECT

public:
    // The faces show normal, hover and pressed looks as Sr1-3 (`button`) and S1-3
    // (`selector`).
    SearchPair(SkinFace *button, SkinFace *selector, QObject *parent = nullptr);

Q_SIGNALS:
    // A left click on the button with no modifier (Ctrl false) or with Ctrl alone.
    void searchClicked(bool Ctrl);
    // The left button went down on the selector at `position`, in its own pixels.
    void selectorPressed(QPointF position);

private:
    void onButtonMove(HoverTracker::Look look);
    void onSelectorMove(HoverTracker::Look look);
    void onButtonReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool inside);

    SkinFace *m_button;
    SkinFace *m_selector;
};
