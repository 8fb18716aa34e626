#include "placement.h"

#include "twips.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

void placeAgainst(QWidget *window, QPointF topLeft, const QWidget *against)
{
    QPoint place = Twips::toPixels(topLeft.x(), topLeft.y());
    if (const QScreen *screen = against->screen()) {
        const QRect room = screen->availableGeometry();
        const QSize outer = window->frameGeometry().size();
        // The left and top edges win when the window is larger than the room: that is
        // where its title bar and its buttons are.
        place.setX(std::max(room.left(), std::min(place.x(), room.right() + 1 - outer.width())));
        place.setY(std::max(room.top(), std::min(place.y(), room.bottom() + 1 - outer.height())));
    }
    window->move(place);
}
