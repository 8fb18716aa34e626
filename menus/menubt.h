#pragma once

#include <QString>
#include <QWidget>

class CaptionLabel;
class PictureBox;
class PropertyBag;

// One caption of Quillet's menu bar: a flat 870 x 270-twip button that lights up under
// the pointer and takes an open look while its pop-up menu is shown. It opens nothing:
// it reports presses and pointer moves, and the host tells it which look to take.
//
// Looks (outline / fill / caption background): normal white / white / white; hover
// blue outline on light blue; open grey outline on white, the colours of a pop-up
// menu's border and background. While the open flag is set, pointer moves and
// SetColor(true) leave the colours alone.
//
// Children: Picture1 (outline), Picture2 (fill, inset one pixel), Label1 (caption).
class MenuBt final : public QWidget
{
    Q_OBJECT

public:
    explicit MenuBt(QWidget *parent = nullptr);
    ~MenuBt() override;

    // Sets the open flag; true also applies the open look, false leaves the colours.
    void ShowMS(bool Yes);
    // True applies the hover look unless the button is open; false applies the normal
    // look whatever the open flag, which it leaves as it is.
    void SetColor(bool cType);
    bool isOpen() const { return m_open; }

    QString MCaption() const;
    // Sets and centres the caption and reports "MCaption" changed.
    void setMCaption(const QString &New_MCaption);

    // The persisted caption, key "MCaption", default "菜单(&M)".
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

Q_SIGNALS:
    // Any mouse button went down on the button (X, Y: twips in the fill). A left press
    // opens the button first.
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, double X, double Y);
    // Every pointer move inside the button, open or not.
    void MouseOn();
    // A persisted design property changed; its container may save the design again.
    void PropertyChanged(const QString &PropertyName);

private:
    enum class Look
    {
        Normal,
        Hover,
        Open
    };

    void applyLook(Look look);
    void setCaption(const QString &caption);

    PictureBox *m_outline;
    PictureBox *m_fill;
    CaptionLabel *m_caption;
    bool m_open = false;
};
