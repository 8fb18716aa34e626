#include "mmenubutton.h"

#include "captionlabel.h"
#include "menucolors.h"
#include "picturebox.h"
#include "propertybag.h"
#include "twips.h"

namespace {

const QString CaptionKey = QStringLiteral("Caption");
const QString MoreKey = QStringLiteral("More");
const QString DefaultCaption = QStringLiteral("菜单");
constexpr bool DefaultMore = false;
constexpr QSizeF Size(1905, 660);
constexpr double IconLeft = 120;
constexpr double ArrowFromRight = 300;

} // namespace

MMenuButton::MMenuButton(QWidget *parent)
    : PanelButton({Size, Qt::white, QPixmap(QStringLiteral(":/menus/images/MBg.png")),
                   QStringLiteral("Mbt"), QStringLiteral("MMBt"), Qt::LeftButton},
                  parent)
    , m_caption(new CaptionLabel(face()))
    , m_arrow(new PictureBox(face()))
    , m_normalArrow(QStringLiteral(":/menus/images/G1.png"))
    , m_hoverArrow(QStringLiteral(":/menus/images/G2.png"))
{
    m_caption->setObjectName(QStringLiteral("Label1"));
    m_caption->setBackgroundColor(Qt::transparent);
    m_caption->setTextColor(MenuColors::PanelText);
    showCaption(DefaultCaption);

    m_arrow->setObjectName(QStringLiteral("MMt"));
    m_arrow->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_arrow->setPicture(m_normalArrow);
    const double arrowHeight = Twips::fromPixels(m_arrow->height());
    m_arrow->move(
        Twips::toPixels(Size.width() - ArrowFromRight, (Size.height() - arrowHeight) / 2));
    showArrow(DefaultMore);
}

QString MMenuButton::Caption() const
{
    return m_caption->text();
}

void MMenuButton::setCaption(const QString &New_Caption)
{
    showCaption(New_Caption);
    Q_EMIT PropertyChanged(CaptionKey);
}

void MMenuButton::setMore(bool New_More)
{
    showArrow(New_More);
    Q_EMIT PropertyChanged(MoreKey);
}

void MMenuButton::ClearBg()
{
    showLit(false);
}

void MMenuButton::ReadProperties(const PropertyBag &bag)
{
    showCaption(bag.ReadProperty(CaptionKey, DefaultCaption).toString());
    showArrow(bag.ReadProperty(MoreKey, DefaultMore).toBool());
}

void MMenuButton::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(CaptionKey, Caption(), DefaultCaption);
    bag.WriteProperty(MoreKey, m_more, DefaultMore);
}

QPointF MMenuButton::iconPlace(QSizeF icon) const
{
    return {IconLeft, (Size.height() - icon.height()) / 2};
}

void MMenuButton::showLit(bool lit)
{
    PanelButton::showLit(lit);
    m_arrow->setPicture(lit ? m_hoverArrow : m_normalArrow);
}

void MMenuButton::showCaption(const QString &caption)
{
    m_caption->setText(caption);
    const QSizeF shown = Twips::fromPixels(m_caption->size());
    m_caption->move(
        Twips::toPixels((Size.width() - shown.width()) / 2, (Size.height() - shown.height()) / 2));
}

void MMenuButton::showArrow(bool more)
{
    m_more = more;
    if (m_arrow->isHidden() == more)
        m_arrow->setVisible(more);
}
