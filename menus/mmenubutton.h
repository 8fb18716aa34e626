#pragma once

#include "panelbutton.h"

#include <QString>

class CaptionLabel;
class PropertyBag;

// A large command button of the main-menu panel's left column, 1905 x 660 twips: an
// icon at the left, a centred caption, and a small arrow at the right when it leads to
// a sub-panel (More). It reports left presses only.
//
// Children: Mbt (face, white; the hover background picture under the pointer), MMBt
// (icon box, hidden until SetIcon), Label1 (caption), MMt (arrow box).
class MMenuButton final : public PanelButton
{
    Q_OBJECT

public:
    explicit MMenuButton(QWidget *parent = nullptr);

    QString Caption() const;
    // Sets and centres the caption and reports "Caption" changed.
    void setCaption(const QString &New_Caption);
    bool More() const { return m_more; }
    // Shows the arrow when true, hides it when false, and reports "More" changed.
    void setMore(bool New_More);
    // Back to the normal look, arrow included.
    void ClearBg();

    // The persisted caption and arrow: keys "Caption" (default "菜单") and "More"
    // (default false).
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

protected:
    QPointF iconPlace(QSizeF icon) const override;
    void showLit(bool lit) override;

private:
    void showCaption(const QString &caption);
    void showArrow(bool more);

    CaptionLabel *m_caption;
    PictureBox *m_arrow;
    QPixmap m_normalArrow;
    QPixmap m_hoverArrow;
    bool m_more = false;
};
