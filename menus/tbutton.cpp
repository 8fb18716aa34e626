#include "tbutton.h"

#include "captionlabel.h"
#include "menucolors.h"
#include "picturebox.h"
#include "propertybag.h"
#include "twips.h"

#include <QFont>

namespace {

const QString NameKey = QStringLiteral("TName");
const QString HelpKey = QStringLiteral("THelp");
const QString DefaultName = QStringLiteral("选项");
const QString DefaultHelp = QStringLiteral("说明");

// A bold Song face at 9 points, which is 12 pixels at the 96 dpi the twips assume; the
// sans face stands in where no serif CJK face is installed.
QFont titleFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(12);
    font.setBold(true);
    return font;
}

CaptionLabel *createText(QWidget *face, const QString &name, double left, double top)
{
    auto *text = new CaptionLabel(face);
    text->setObjectName(name);
    text->setBackgroundColor(Qt::transparent);
    text->setTextColor(MenuColors::PanelText);
    text->move(Twips::toPixels(left, top));
    return text;
}

} // namespace

TButton::TButton(QWidget *parent)
    : PanelButton({QSizeF(4815, 975), MenuColors::PanelBackground,
                   QPixmap(QStringLiteral(":/menus/images/T1.png")), QStringLiteral("Tbt"),
                   QStringLiteral("Mbt"), Qt::AllButtons},
                  parent)
    , m_title(createText(face(), QStringLiteral("Tstr1"), 600, 120))
    , m_help(createText(face(), QStringLiteral("Tstr2"), 600, 480))
{
    m_title->setFont(titleFont());
    m_title->setText(DefaultName);
    m_help->setText(DefaultHelp);
}

QString TButton::TName() const
{
    return m_title->text();
}

void TButton::setTName(const QString &New_TName)
{
    m_title->setText(New_TName);
    Q_EMIT PropertyChanged(NameKey);
}

QString TButton::THelp() const
{
    return m_help->text();
}

void TButton::setTHelp(const QString &New_THelp)
{
    m_help->setText(New_THelp);
    Q_EMIT PropertyChanged(HelpKey);
}

void TButton::setdefskin()
{
    showLit(false);
}

void TButton::ReadProperties(const PropertyBag &bag)
{
    m_title->setText(bag.ReadProperty(NameKey, DefaultName).toString());
    m_help->setText(bag.ReadProperty(HelpKey, DefaultHelp).toString());
}

void TButton::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(NameKey, TName(), DefaultName);
    bag.WriteProperty(HelpKey, THelp(), DefaultHelp);
}

QPointF TButton::iconPlace(QSizeF) const
{
    return {90, 90};
}
