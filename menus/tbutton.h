#pragma once

#include "panelbutton.h"

#include <QString>

class CaptionLabel;
class PropertyBag;

// A wide option button of the main-menu panel's sub-panels, 4815 x 975 twips: an icon,
// a bold title (TName) and a one-line description below it (THelp). It reports the
// presses of every mouse button.
//
// Children: Tbt (face; the hover background picture under the pointer), Mbt (icon box,
// hidden until SetIcon), Tstr1 (title), Tstr2 (description).
class TButton final : public PanelButton
{
    Q_OBJECT

public:
    explicit TButton(QWidget *parent = nullptr);

    QString TName() const;
    // Sets the title and reports "TName" changed.
    void setTName(const QString &New_TName);
    QString THelp() const;
    // Sets the description and reports "THelp" changed.
    void setTHelp(const QString &New_THelp);
    // Back to the normal look.
    void setdefskin();

    // The persisted texts: keys "TName" (default "选项") and "THelp" (default "说明").
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

protected:
    QPointF iconPlace(QSizeF icon) const override;

private:
    CaptionLabel *m_title;
    CaptionLabel *m_help;
};
