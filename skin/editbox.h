#pragma once

#include "twipsgeometry.h"

#include <QRectF>
#include <QString>
#include <QWidget>

class DropList;
class FrameBorder;
class PropertyBag;
class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;
class SkinFace;

// A one-line text box in Quillet's skin: a white frame with a one-pixel border, a
// borderless text box inside it and, at its right end, a drop button that opens an
// empty list below the frame. Every character typed reaches the host first
// (KeyPress), and every change of the text is reported (Chang).
//
// Geometry given to the box is in twips. Its height is always 330; its width is the
// host's, W: the text box is W - 345 wide from (60, 60), the drop button sits at
// (W - 315, 30).
//
// Children: Picture1 (frame) holding Text1 (text box), cBt (drop button) and Line1-4
// (left, top, right and bottom border lines), and Combo1 (the list).
class EditBox final : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText)

public:
    explicit EditBox(QWidget *parent = nullptr);
    ~EditBox() override;

    QString Text() const;
    // Sets the text (Chang when it differs) and reports "Text" changed.
    void setText(const QString &New_Text);

    // The persisted text, key "Text", default empty.
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

    void setGeometryTwips(double left, double top, double width, double height);
    QRectF geometryTwips() const;

    static constexpr double FixedHeight = 330;

Q_SIGNALS:
    // A character is about to be typed into the text box: a key's (KeyAscii::typed)
    // or, one after another, those of a string an input method commits. The handler
    // may change KeyAscii: 0 swallows the character, 1 (Ctrl+A) selects the whole
    // text instead, any other value is typed in its place. Of an input method's
    // string the box takes what the handler leaves less any control character.
    //
    // The box reads KeyAscii back when the handler returns, so connect only directly
    // (the default within the user-interface thread); a handler that closes the box's
    // window must delete it later, not at once.
    void KeyPress(char16_t &KeyAscii);
    // After every change of the text, typed or written through Text.
    void Chang();
    // A persisted design property changed; its container may save the design again.
    void PropertyChanged(const QString &PropertyName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool filterKey(const QKeyEvent *event);
    bool filterInputMethod(const QInputMethodEvent *event);
    // Sends the text box an event the host's KeyPress made, past the filter.
    void deliver(QEvent *event);
    void layOut();

    QWidget *m_picture1;
    QLineEdit *m_text1;
    SkinFace *m_cBt;
    FrameBorder *m_border;
    DropList *m_combo1;
    TwipsGeometry m_geometry{this};
    bool m_delivering = false;
};
