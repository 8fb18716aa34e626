#pragma once

#include "picturebox.h"

#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QTest>
#include <QWindow>

#include <optional>
#include <string_view>

// A user's view of a tabbed control's faces: clicks that come with the move a real
// pointer makes first, drags dropped on a tab's elements, and the skin picture a face
// shows.
namespace TabFaces {

enum class Look
{
    Selected,
    Normal,
    Hovered,
    Unknown
};

inline PictureBox *face(const QWidget *control, int slot)
{
    return control->findChild<PictureBox *>(QStringLiteral("MTab%1").arg(slot));
}

// A point on the face clear of its title and icon.
inline QPoint spot()
{
    return QPoint(20, 10);
}

inline void moveOnto(const QWidget *control, int slot, QPoint at = spot())
{
    QTest::mouseMove(face(control, slot), at);
}

inline void click(const QWidget *control, int slot, Qt::MouseButton button = Qt::LeftButton,
                  QPoint at = spot())
{
    moveOnto(control, slot, at);
    QTest::mouseClick(face(control, slot), button, {}, at);
}

// What a drop target answered: whether it takes the data, and as what.
struct DropAnswer
{
    bool accepted = false;
    Qt::DropAction action = Qt::IgnoreAction;

    bool operator==(const DropAnswer &) const = default;
};

// How QCOMPARE shows an answer that differs.
inline char *toString(const DropAnswer &answer)
{
    return QTest::toString(QStringLiteral("%1, action %2")
                               .arg(answer.accepted ? "accepted" : "refused")
                               .arg(int(answer.action)));
}

inline constexpr DropAnswer Copied{true, Qt::CopyAction};
inline constexpr DropAnswer Refused{};

// The answers to a drag: to the pointer moving over the target, and to the drop.
struct DragAndDrop
{
    DropAnswer move;
    DropAnswer drop;
};

// Drags `data` onto `element` at `at` (the element's middle by default) and drops it
// there, as Qt's drag manager delivers a drag inside the program: an enter, a move that
// carries the enter's answer, the drop, each sent to the element's window, which hands
// them to the widget under the pointer that accepts drops.
inline DragAndDrop drop(QWidget *element, const QMimeData &data,
                        Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction,
                        std::optional<QPoint> at = std::nullopt)
{
    QWidget *top = element->window();
    const QPointF position = element->mapTo(top, at.value_or(element->rect().center()));
    QWindow *window = top->windowHandle();

    QDragEnterEvent enter(position.toPoint(), offered, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window, &enter);
    QDragMoveEvent move(position.toPoint(), offered, &data, Qt::LeftButton, {});
    if (enter.isAccepted() && enter.dropAction() != Qt::IgnoreAction) {
        move.setDropAction(enter.dropAction());
        move.accept();
    }
    QApplication::sendEvent(window, &move);
    QDropEvent dropped(position, offered, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window, &dropped);

    const auto answer = [](const QDropEvent &event) {
        return event.isAccepted() ? DropAnswer{true, event.dropAction()} : Refused;
    };
    return {answer(move), answer(dropped)};
}

// Data rows, one for each element of a tab a drag can land on, for a control with two
// extra tabs and slot 2 selected: the face, title, icon and close button of slot 2, and
// all but the close button, which only the selected tab shows, of slot 1. The columns
// "role" (QByteArray: MTab, Tstr, TIcon or Tcbt) and "slot" (int) come first, then
// `extra`.
template<typename... Extra> void addDropRows(const char *name, const Extra &...extra)
{
    for (const int slot : {2, 1}) {
        for (const char *role : {"MTab", "Tstr", "TIcon", "Tcbt"}) {
            if (slot != 2 && role == std::string_view("Tcbt"))
                continue;
            QTestData &row = QTest::addRow("%s on %s, %s tab", name, role,
                                           slot == 2 ? "selected" : "unselected");
            row << QByteArray(role) << slot;
            ((row << extra), ...);
        }
    }
}

inline Look look(const QWidget *control, int slot)
{
    const QImage shown = face(control, slot)->picture().toImage();
    const char *const files[] = {"T0", "T1", "T2"};
    for (int i = 0; i < 3; ++i) {
        const QImage skin(
            QStringLiteral(":/tabbrowser/images/%1.png").arg(QLatin1String(files[i])));
        if (shown == skin.convertToFormat(shown.format()))
            return static_cast<Look>(i);
    }
    return Look::Unknown;
}

} // namespace TabFaces
