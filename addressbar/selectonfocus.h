#pragma once

#include <QObject>

class QLineEdit;

// Gaining the focus selects a text box's whole text, so that what is typed next
// replaces it. Focus that comes back with the window or from a pop-up list leaves the
// text as it was: the user has not moved it.
//
// The press that gives the focus would put the caret where it went down, so the
// release of that click selects the whole text again unless the press was dragged
// over part of it. A click in a box that already has the focus places the caret.
class SelectOnFocus final : public QObject
{
public:
    // Watches `box`, which owns the watcher.
    static void watch(QLineEdit *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit SelectOnFocus(QLineEdit *box);

    QLineEdit *m_box;
    // The focus came with a press whose delivery has not finished yet.
    bool m_focusedByPress = false;
    // The left press that gave the focus is held.
    bool m_selectOnRelease = false;
};
