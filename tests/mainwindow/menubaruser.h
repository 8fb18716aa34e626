#pragma once

#include "menubt.h"
#include "mymenu.h"

#include <QTest>
#include <QWidget>

// A user's hand on the main window's menu bar: clicks that come with the move a real
// pointer makes first, and rows chosen from the menu a bar button opened.
namespace MenuBarUser {

enum Bar
{
    File,
    Edit,
    View,
    Help
};

// The pointer goes to the middle of `target`, then the button goes down and up.
inline void click(QWidget *target, Qt::MouseButton mouseButton = Qt::LeftButton)
{
    const QPoint middle = target->rect().center();
    QTest::mouseMove(target, middle);
    QTest::mouseClick(target, mouseButton, {}, middle);
}

inline MenuBt *button(const QWidget *mainWindow, int bar)
{
    return mainWindow->findChild<MenuBt *>(QStringLiteral("MenuBt%1").arg(bar + 1));
}

inline MyMenu *menu(const QWidget *mainWindow, int bar)
{
    static const char *const names[] = {"MyMenu1", "MyMenu2", "MyMenu3", "MyMenu5"};
    return mainWindow->findChild<MyMenu *>(QLatin1String(names[bar]));
}

inline QWidget *row(const QWidget *mainWindow, int bar, int index)
{
    return menu(mainWindow, bar)->findChild<QWidget *>(QStringLiteral("MMu%1").arg(index));
}

// Opens the bar button's menu and clicks its row `index`.
inline void choose(const QWidget *mainWindow, int bar, int index)
{
    click(button(mainWindow, bar));
    QVERIFY(menu(mainWindow, bar)->isVisible());
    click(row(mainWindow, bar, index));
}

} // namespace MenuBarUser
