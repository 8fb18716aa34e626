#pragma once

#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class AutoHide;
class PictureBox;

// Quillet's pop-up menu: a column of text rows on a white panel with a grey border and
// a decorative strip at the left. It lights the row under the pointer, can mark one row
// as checked, answers each row's accelerator letter, and asks its host to close it once
// the pointer has left it. It never shows, hides or moves itself: the host fills it,
// places it, shows it, and hides it on Hide or MouseDown.
//
// Geometry is in twips: 2325 wide, 60 + 330 per row high. Rows are numbered from 0;
// row 0 exists from the start with the caption "菜单(&M)". Children are named by role
// and row: Picture2 (panel), Line1..Line4 (border), Image1 (column strip), and per row
// MMenu<i> (frame), M2<i> (frame strip), MMu<i> (row), MBg<i> (row strip), Mstr<i>
// (caption), MIcon<i> (check mark).
class MyMenu final : public QWidget
{
    Q_OBJECT

public:
    explicit MyMenu(QWidget *parent = nullptr);
    ~MyMenu() override;

    // MIndex 0 sets row 0's caption; any other index adds that row below the last one.
    // Rows are added in order, 1, 2, 3 ..., and never removed.
    void AddMenu(qint16 MIndex, const QString &MenuCaption);
    // Moves the check mark to row Index; only one row is checked at a time.
    void checkItem(qint16 Index);
    // True closes the top border over its full width (a menu that hangs from no
    // menu-bar button); false leaves the first 855 twips open. Adding a row opens the
    // gap again, so call this after the last AddMenu.
    void SetChilMenu(bool isChild);
    // The key code of an accelerator letter: a to z, in either case, give 65 to 90;
    // anything else gives 0.
    static quint8 MCaption(const QString &Word);

    qint16 itemCount() const;
    // The checked row, or -1.
    qint16 checkedIndex() const { return m_checked; }

    // Where the auto-hide check reads the pointer's screen position (QCursor::pos
    // unless replaced). The check runs on each timeout of the child timer "autoHide",
    // every 700 ms while the menu is shown.
    void setPointerSource(std::function<QPoint()> source);

Q_SIGNALS:
    // On every auto-hide check that finds the pointer outside the menu.
    void Hide();
    // A mouse button went down on row Index (X, Y: twips in the row), or the row's
    // accelerator was typed (Button left, X = Y = 0).
    void MouseDown(qint16 Index, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, double X,
                   double Y);
    // Every pointer move inside row Index.
    void MouseOn(qint16 Index);
    // The pointer left row Index.
    void Mouseout(qint16 Index);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Row;

    Row &row(qint16 index) const { return *m_rows[static_cast<size_t>(index)]; }
    void createRow();
    void setRowLit(qint16 index, bool lit);
    void setHeightForRows();
    void layOutBorder(double topStart);

    PictureBox *m_panel;
    std::vector<std::unique_ptr<Row>> m_rows;
    QWidget *m_lines[4];
    QPixmap m_strip;
    QPixmap m_check;
    qint16 m_checked = -1;
    AutoHide *m_autoHide;
};
