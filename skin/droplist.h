#pragma once

#include "skinface.h"

#include <QStringList>
#include <QWidget>

class QListWidget;

// A drop-down list whose closed box is never seen: only its list shows, dropped down
// below the frame it belongs to, as wide as the frame and 400 pixels tall, also when
// it is empty. The list stays on the screen the frame is on: where there is no room
// below the frame it opens above it, where neither side has room it takes the side
// with more and is cut to fit, and it moves sideways to stay within the screen.
// Choosing an entry (a click, or Enter on the current entry) closes the list, makes
// the entry the list's text and emits Click(); Escape or a click elsewhere closes it
// and chooses nothing.
class DropList final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int DroppedHeight = 400; // pixels
    // The height in twips of the box the list drops from, which is never seen.
    static constexpr double BoxHeight = 300;

    DropList(const QWidget *frame, QWidget *parent);
    ~DropList() override;

    // The looks of the button at a frame's right end that drops its list down: T1-3.
    static SkinFace::Looks buttonLooks();

    void showDropDown();
    bool isDroppedDown() const;
    // The dropped-down list, a window of its own.
    QListWidget *list() const { return m_list; }

    QStringList items() const;
    void insertItem(int index, const QString &text);
    void removeItem(int index);
    // The text of the entry chosen last; empty until one is.
    QString text() const { return m_text; }

Q_SIGNALS:
    void Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(int row);

    const QWidget *m_frame;
    QListWidget *m_list;
    QString m_text;
};
