#pragma once

#include <QPoint>
#include <QWidget>

#include <array>
#include <functional>

class AutoHide;
class CaptionLabel;
class MMenuButton;
class PictureBox;
class TButton;

// Quillet's main-menu panel, 7025 x 6745 twips with rounded corners: four large command
// buttons in the left column, a one-line description of the hovered one at the top of
// the right-hand area with its sub-panel of two option buttons below it, and a bottom
// bar with an option and a close button. It runs no commands and never shows, hides or
// moves itself: every choice is an event to the host, most of them followed or
// preceded by HideMenu, which asks the host to hide the panel.
//
// Children: the frame pieces TLeft, Tmain, TRight, MLeft, MRight, LDown, MDown, RDown;
// Picture1 (command column) with MMenuButton1..MMenuButton4, Line1 (separator),
// Picture2 (description strip) with Label1 (description) and Line2 (rule), the
// sub-panels Picture3 (open), Picture4 (new page) and Picture5 (print) with
// TButton1..TButton6, and the bottom bar's XBt (options) and cBt (close).
class MMenu final : public QWidget
{
    Q_OBJECT

public:
    explicit MMenu(QWidget *parent = nullptr);
    ~MMenu() override;

    // Where the auto-hide check reads the pointer's screen position (QCursor::pos
    // unless replaced). The check runs on each timeout of the child timer "autoHide",
    // every 700 ms while the panel is shown.
    void setPointerSource(std::function<QPoint()> source);

Q_SIGNALS:
    void PrintPage();
    void BefoPrint();
    // The auto-hide check found the pointer outside, the background took a left press,
    // or a command was chosen.
    void HideMenu();
    void OptionClick();
    void CloseClick();
    void OpenClick();
    void NewPage();
    void InputURL();
    void SaveFile();

protected:
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void createFrame();
    void createCommands();
    void createOptions();
    void createBottomBar();
    void clipToRoundedRect();
    // What hovering a large button shows: its description and its sub-panel, or none.
    void describe(const QString &description, PictureBox *subPanel);
    void setDescription(const QString &description);

    PictureBox *m_column;
    PictureBox *m_strip;
    CaptionLabel *m_description;
    std::array<PictureBox *, 3> m_subPanels;
    std::array<MMenuButton *, 4> m_commands;
    std::array<TButton *, 6> m_options;
    AutoHide *m_autoHide;
};
