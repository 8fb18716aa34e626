#pragma once

#include <QObject>
#include <QPointF>

class QMouseEvent;
class QWidget;

// The pointer behaviour of a skinned face. It watches the face's pointer reports and
// says which look the face should show; the face itself decides how a look is drawn
// and skips assignments of the look it already shows.
//
// - A move inside captures the pointer and asks for Pressed when exactly the left
//   button is held, Hover otherwise. A move outside releases the capture and asks for
//   Normal, so the first move after the pointer left is still seen.
// - A left press asks for Pressed; a left release asks for Normal and, when the release
//   point is inside, emits clicked(). Other buttons change nothing.
// - Points on the right and bottom edges count as inside.
// - A face hidden while it holds the capture gives it up and asks for Normal.
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

    explicit HoverTracker(QWidget *face);

    // Faces without a pressed look ask for Hover where the pattern would ask for Pressed.
    void setPressedLookEnabled(bool enabled) { m_pressedLook = enabled; }
    // A face that is not tracking ignores moves: no capture, no change of look.
    void setTracking(bool tracking) { m_tracking = tracking; }
    // Faces lit together with another face set their press and release looks
    // themselves (from pressed() and released()); moves still ask for looks.
    void setButtonLooksEnabled(bool enabled) { m_buttonLooks = enabled; }

    static bool isInside(QPointF position, const QWidget *face);

Q_SIGNALS:
    void lookWanted(HoverTracker::Look look);
    // Any button pressed on the face, for faces that act on the press itself;
    // `position` is in the face's own pixels.
    void pressed(Qt::MouseButton button, QPointF position);
    // Any button released on the face, with the keys held and the inside test's answer.
    void released(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool inside);
    void clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onMove(const QMouseEvent *event);
    void onPress(const QMouseEvent *event);
    void onRelease(const QMouseEvent *event);
    void onHide();
    Look pressedLook() const { return m_pressedLook ? Look::Pressed : Look::Hover; }

    QWidget *m_face;
    bool m_pressedLook = true;
    bool m_tracking = true;
    bool m_buttonLooks = true;
};
