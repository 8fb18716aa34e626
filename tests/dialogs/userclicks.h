#pragma once

#include "button.h"
#include "picturebox.h"

#include <QTest>

// Clicks as a user makes them: the pointer comes onto the target before it presses.
namespace UserClicks {

inline void click(QWidget *target, Qt::MouseButton button = Qt::LeftButton)
{
    const QPoint at = target->rect().center();
    QTest::mouseMove(target, at);
    QTest::mouseClick(target, button, {}, at);
}

// Clicks the face of the skinned push button of `window` that bears `caption`.
inline bool clickButton(const QWidget *window, const QString &caption)
{
    const auto buttons = window->findChildren<Button *>();
    for (Button *button : buttons) {
        if (button->Caption() == caption && button->isVisible()) {
            click(button->findChild<PictureBox *>(QStringLiteral("MButton")));
            return true;
        }
    }
    return false;
}

} // namespace UserClicks
