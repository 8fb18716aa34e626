#pragma once

#include <QObject>
#include <QPoint>

#include <functional>

class QTimer;
class QWidget;

// Asks a pop-up's host to hide it once the pointer has gone elsewhere. While the pop-up
// is shown, every 700 ms (the timeouts of the child timer "autoHide", the first one
// 700 ms after showing), it reads the pointer's screen position and reports
// pointerOutside() unless the pointer is strictly inside the pop-up's window: the
// window's edge counts as outside. It never hides the pop-up itself.
class AutoHide final : public QObject
{
    Q_OBJECT

public:
    explicit AutoHide(QWidget *popup);

    // Where the pointer's screen position is read (QCursor::pos unless replaced).
    void setPointerSource(std::function<QPoint()> source);

Q_SIGNALS:
    void pointerOutside();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void check();

    QWidget *m_popup;
    QTimer *m_timer;
    std::function<QPoint()> m_pointerSource;
};
