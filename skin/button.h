#pragma once

#include "hovertracker.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <array>

class PictureBox;
class PropertyBag;
class QLabel;

// The push button of Quillet's dialogs: a face drawn from five skin images, always
// 1095 x 345 twips, with a caption centred on it. It follows the pointer like the other
// skinned faces, can hold the keyboard focus, which has looks of its own, and clicks
// on a left click and on Enter.
//
// Looks, by the images bt0-bt4: normal without the focus (bt0) and with it (bt1, also
// right after any mouse release), under the pointer without the focus (bt2) and with
// it (bt3), pressed by the left button or by Enter held (bt4).
//
// While the left button holds the face pressed, the caption sits 20 twips right of and
// 5 below its centred place; it goes back when the pointer leaves the face or the
// button is released.
//
// Children: MButton (the face, which takes the focus given to the button) and btStr
// (the caption, through which the pointer reaches the face).
class Button final : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)

public:
    explicit Button(QWidget *parent = nullptr);

    QString Caption() const;
    // Sets the caption, reports "Caption" changed and centres the caption.
    void setCaption(const QString &New_Caption);

    // The persisted caption, key "Caption", default "Button".
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

    static constexpr double Width = 1095;
    static constexpr double Height = 345;

Q_SIGNALS:
    // Once per left click on the face (released inside it) and once per release of an
    // Enter pressed while the face had the focus.
    void Click();
    // A persisted design property changed; its container may save the design again.
    void PropertyChanged(const QString &PropertyName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum Image
    {
        Normal,
        FocusedNormal,
        Hover,
        FocusedHover,
        Pressed
    };

    void showImage(Image image);
    void onLookWanted(HoverTracker::Look look);
    bool onKey(const QKeyEvent *event);
    void setCaptionText(const QString &caption);
    void placeCaption(bool pressed);

    std::array<QPixmap, 5> m_images;
    PictureBox *m_face;
    QLabel *m_caption;
    bool m_hasFocus = false;
    // Enter went down while the face had the focus and has not come up.
    bool m_enterHeld = false;
};
