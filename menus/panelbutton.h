#pragma once

#include <QPixmap>
#include <QPointF>
#include <QSizeF>
#include <QWidget>

class PictureBox;

// What the main-menu panel's two buttons share: a face of fixed size that lights up
// under the pointer (a background picture, and the hover icon once an icon is set) and
// reports every pointer move, the one that finds the pointer outside included, and the
// presses of the buttons it answers. It runs nothing itself. The face's children let
// the pointer through, so moves and presses on them are the face's, in face
// coordinates. Lengths at the interface are twips.
class PanelButton : public QWidget
{
    Q_OBJECT

public:
    // Keeps Icon1 as the normal and Icon2 as the hover icon and shows Icon1.
    void SetIcon(const QPixmap &Icon1, const QPixmap &Icon2);

Q_SIGNALS:
    // Every tracked move over the face and the first one outside it (X, Y: twips in the
    // face, outside its bounds for that last one).
    void MouseMove(Qt::MouseButtons Button, Qt::KeyboardModifiers Shift, double X, double Y);
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, double X, double Y);
    // A persisted design property changed; its container may save the design again.
    void PropertyChanged(const QString &PropertyName);

protected:
    struct Design
    {
        QSizeF size;           // twips, kept whatever the host asks
        QColor faceColor;      // shown where no picture covers the face
        QPixmap litBackground; // the face's picture under the pointer
        QString faceName;
        QString iconName;
        Qt::MouseButtons reportedPresses;
    };

    PanelButton(const Design &design, QWidget *parent);
    ~PanelButton() override;

    PictureBox *face() const { return m_face; }
    // Where the icon box goes for an icon of `icon` twips.
    virtual QPointF iconPlace(QSizeF icon) const = 0;
    // Applies the lit or the normal look; every picture is assigned only when it differs
    // from the one shown.
    virtual void showLit(bool lit);

private:
    PictureBox *m_face;
    PictureBox *m_iconBox;
    QPixmap m_normalIcon;
    QPixmap m_hoverIcon;
    QPixmap m_litBackground;
};
