#pragma once

#include <QObject>
#include <QPointF>

class QMouseEvent;
class QWidget;

// The pointer behaviour of a skinned face. It watches the face's pointer reports and
// says which look the face should show; the face itself decides how a look is drawn
// and skips assignments of the look it already shows.
//
// While the pointer is over the face, the face holds the pointer: the first report
// that finds it outside (a move, or the window system's leave) asks for Normal and
// ends the hold, and reports that would have gone elsewhere after that are ignored.
// The hold is the tracker's own: it never grabs the window system's pointer, so other
// widgets and other programs get their clicks whatever a face shows. It also ends
// when the face stops tracking, is hidden, disabled or moved to another parent, or
// its window loses activation.
//
// - A move inside asks for Pressed when exactly the left button is held, Hover
//   otherwise (in Highlight mode always Hover).
// - In Button mode a left press asks for Pressed, and a left release asks for Normal
//   and, when the release point is inside, emits clicked(). Other buttons change
//   nothing.
// - Points on the right and bottom edges count as inside.
class HoverTracker final : public QObject
{
    Q_OBJECT

public:
    enum class Look
    {
        Normal,
        Hover,
        Pressed
    };
    Q_ENUM(Look)

    enum class Mode
    {
        // Three looks, acting on a left release inside: the address bar's buttons, a
        // tab's close button.
        Button,
        // A button lit together with another face: its moves ask for looks as a
        // Button's do, its owner sets the press and release looks from pressed() and
        // released().
        PairedButton,
        // Lit while the pointer is over it, whichever buttons are held; presses and
        // releases are only reported: tab faces, menu rows, menu-bar buttons.
        Highlight
    };

    explicit HoverTracker(QWidget *face, Mode mode = Mode::Button);

    // Set before the face is first shown.
    void setMode(Mode mode) { m_mode = mode; }
    // A face that is not tracking ignores moves (no hold, no change of look); its
    // presses and releases are still reported.
    void setTracking(bool tracking);

    static bool isInside(QPointF position, const QWidget *face);

    // Stops every tracker of the faces within `control`, the control included. A
    // control calls this first thing in its destructor: its faces are destroyed after
    // it, and the leave each of them then gets must not reach handlers of a control
    // that is already gone.
    static void stopTrackingWithin(QWidget *control);

Q_SIGNALS:
    void lookWanted(HoverTracker::Look look);
    // Any button pressed on the face, for faces that act on the press itself;
    // `position` is in the face's own pixels.
    void pressed(Qt::MouseButton button, QPointF position, Qt::KeyboardModifiers modifiers);
    // Any button released on the face, with the keys held and the inside test's answer.
    void released(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool inside);
    void clicked();
    // Every tracked move inside the face, and the report that finds the pointer outside.
    // Positions are in the face's own pixels; for the window system's leave, which
    // carries none, it is where the platform puts the pointer.
    void movedInside(QPointF position);
    void movedOutside(QPointF position);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onMove(const QMouseEvent *event);
    void onPress(const QMouseEvent *event);
    void onRelease(const QMouseEvent *event);
    void leave(QPointF position);
    void letGo();
    bool changesLookOnButtons() const { return m_mode == Mode::Button; }

    QWidget *m_face;
    Mode m_mode;
    bool m_tracking = true;
    bool m_holdsPointer = false;
};
