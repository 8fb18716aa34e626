#pragma once

#include "button.h"
#include "picturebox.h"

#include <QApplication>
#include <QTest>

// What a user sees and does with the dialogs: the windows on the screen, and clicks
// in which the pointer comes onto the target before it presses.
namespace UserView {

// The visible top-level windows of type T.
template<typename T> QList<T *> openWindows()
{
    QList<T *> open;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (auto *typed = qobject_cast<T *>(window); typed && typed->isVisible())
            open.append(typed);
    }
    return open;
}

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

// Rows of the places a main window can be moved to that leave it off the screen.
inline void addOffScreenMainWindowRows()
{
    QTest::addColumn<QPoint>("mainPlace");
    QTest::newRow("off to the top left") << QPoint(-3000, -2000);
    QTest::newRow("off to the bottom right") << QPoint(5000, 4000);
}

} // namespace UserView
