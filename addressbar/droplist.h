#pragma once

#include <QStringList>
#include <QWidget>

class QListWidget;

// A drop-down list whose closed box is never seen: only its list shows, dropped down
// below the box, as wide as the box and 400 pixels tall, also when it is empty.
// Choosing an entry (a click, or Enter on the current entry) closes the list, makes
// the entry the list's text and emits Click(); Escape or a click elsewhere closes it
// and chooses nothing.
class DropList final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int DroppedHeight = 400; // pixels

    explicit DropList(QWidget *parent = nullptr);
    ~DropList() override;

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

    QListWidget *m_list;
    QString m_text;
};
